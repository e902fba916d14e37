// Every handle is a QCursor (the first frame for an animated one); the frames of the animated
// handles live in a table beside them. A single-shot timer per animation waits out the frame's
// time, then shows the next frame on every widget that shows the cursor and, when it is the
// screen's cursor, as the override cursor.
#include "ui/forms/AnimatedCursor.h"

#include "ui/kernel/Controls_p.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <map>
#include <memory>

namespace vt {
namespace {

class CursorAnimation {
public:
    struct Frame {
        QCursor Cursor;
        int Milliseconds;
    };

    explicit CursorAnimation(std::vector<Frame> frames) : FFrames(std::move(frames))
    {
        FTimer.setSingleShot(true);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Advance(); });
    }

    void Attach(QWidget* widget)
    {
        FWidgets.emplace_back(widget);
        widget->setCursor(FFrames[FCurrent].Cursor);
        Start();
    }

    void Detach(QWidget* widget)
    {
        FWidgets.erase(std::remove_if(FWidgets.begin(), FWidgets.end(),
                                      [widget](const QPointer<QWidget>& w) { return w.isNull() || w == widget; }),
                       FWidgets.end());
        StopWhenUnseen();
    }

    void SetOnScreen(bool Value)
    {
        FOnScreen = Value;
        if (Value)
            Start();
        else
            StopWhenUnseen();
    }

private:
    bool Seen() const
    {
        return FOnScreen || std::any_of(FWidgets.begin(), FWidgets.end(), [](const auto& w) { return !w.isNull(); });
    }

    // A cursor that comes into sight starts at its first frame.
    void Start()
    {
        if (FTimer.isActive() || FFrames.size() < 2)
            return;
        FCurrent = 0;
        Show();
    }

    void StopWhenUnseen()
    {
        if (!Seen())
            FTimer.stop();
    }

    void Advance()
    {
        FCurrent = (FCurrent + 1) % FFrames.size();
        Show();
    }

    void Show()
    {
        const QCursor& cursor = FFrames[FCurrent].Cursor;
        for (const QPointer<QWidget>& widget : FWidgets)
            if (widget)
                widget->setCursor(cursor);
        if (FOnScreen && QGuiApplication::overrideCursor())
            QGuiApplication::changeOverrideCursor(cursor);
        FTimer.start(FFrames[FCurrent].Milliseconds);
    }

    std::vector<Frame> FFrames;
    std::vector<QPointer<QWidget>> FWidgets;
    bool FOnScreen = false;
    size_t FCurrent = 0;
    QTimer FTimer;
};

// Never freed: the screen frees its cursors as the program's statics go.
std::map<HCURSOR, std::unique_ptr<CursorAnimation>>& Animations()
{
    static auto* animations = new std::map<HCURSOR, std::unique_ptr<CursorAnimation>>;
    return *animations;
}

CursorAnimation* AnimationOf(TCursor cursor)
{
    if (cursor <= 0 || !Screen)
        return nullptr;
    auto it = Animations().find(Screen->Cursors(cursor));
    return it == Animations().end() ? nullptr : it->second.get();
}

}  // namespace

HCURSOR CreateAnimatedCursor(const std::vector<CursorFrame>& Frames)
{
    if (Frames.empty())
        return nullptr;
    std::vector<CursorAnimation::Frame> frames;
    for (const CursorFrame& f : Frames)
        frames.push_back({QCursor(QPixmap::fromImage(f.Image->Image()), f.HotX, f.HotY), std::max(f.Milliseconds, 1)});
    auto* handle = new QCursor(frames.front().Cursor);
    Animations()[handle] = std::make_unique<CursorAnimation>(std::move(frames));
    return handle;
}

void FreeCursorHandle(HCURSOR Cursor)
{
    Animations().erase(Cursor);
    delete static_cast<QCursor*>(Cursor);
}

void SetWidgetCursor(QWidget* Widget, TCursor Cursor)
{
    for (auto& [handle, animation] : Animations())
        animation->Detach(Widget);
    if (Cursor == crDefault)
        Widget->unsetCursor();
    else if (CursorAnimation* animation = AnimationOf(Cursor))
        animation->Attach(Widget);
    else
        Widget->setCursor(CursorFor(Cursor));
}

void ScreenCursorChanged(TCursor Cursor)
{
    for (auto& [handle, animation] : Animations())
        animation->SetOnScreen(false);
    if (CursorAnimation* animation = AnimationOf(Cursor))
        animation->SetOnScreen(true);
}

}  // namespace vt
