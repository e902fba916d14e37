// The test responder: a stack of installed responders (the innermost answers), a queue of
// answers, and the record of every box shown.
#include "ui/dialogs/DialogResponder.h"

#include <cstdio>
#include <cstdlib>

#include "rtl/Exceptions.h"

namespace vt {
namespace {
DialogResponder* gCurrent = nullptr;

String Describe(const ShownDialog& shown)
{
    return shown.Kind + " \"" + shown.Caption + "\": \"" + shown.Text + "\"";
}
}  // namespace

DialogResponder::DialogResponder() : FPrevious(gCurrent) { gCurrent = this; }

DialogResponder::~DialogResponder()
{
    gCurrent = FPrevious;
    if (!FFailures.empty()) {
        for (const String& failure : FFailures)
            std::fprintf(stderr, "DialogResponder: %s\n", failure.c_str());
        std::abort();
    }
}

DialogResponder* DialogResponder::Current() { return gCurrent; }

DialogResponder& DialogResponder::Answer(int result)
{
    FAnswers.push_back({result, String()});
    return *this;
}

DialogResponder& DialogResponder::AnswerFile(const String& path)
{
    FAnswers.push_back({1, path});
    return *this;
}

DialogResponder& DialogResponder::Raise(const String& message)
{
    FAnswers.push_back({0, message, true});
    return *this;
}

const ShownDialog& DialogResponder::Last() const
{
    if (FShown.empty())
        throw EUnexpectedDialog("DialogResponder: no dialog was shown");
    return FShown.back();
}

std::vector<String> DialogResponder::TakeFailures()
{
    std::vector<String> failures;
    failures.swap(FFailures);
    return failures;
}

int DialogResponder::Respond(const ShownDialog& shown, String* path)
{
    FShown.push_back(shown);
    if (FAnswers.empty()) {
        const String failure = "no answer queued for " + Describe(shown);
        FFailures.push_back(failure);
        throw EUnexpectedDialog(failure);
    }
    QueuedAnswer answer = FAnswers.front();
    FAnswers.pop_front();
    if (answer.Raises)
        throw Exception(answer.Path);
    if (path)
        *path = answer.Path;
    return answer.Result;
}

}  // namespace vt
