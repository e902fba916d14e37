// The per-user instance link: each program listens on "<folder>/<pid>" and answers one request
// line per connection ("FIND\tclass\ttitle", "ICONIC\tid", "SHOW\tid\tcmd" ...) with one line.
// A window is named by its widget's address, checked against the program's forms before use.
#include "ui/kernel/OtherInstances.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/kernel/Controls_p.h"

namespace {

constexpr int kWaitMs = 2000;

// $XDG_RUNTIME_DIR/vantrel, or a folder of the user's own under the temporary folder.
QString Folder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = runtime.isEmpty() ? QDir::tempPath() + "/vantrel-" + QString::number(getuid())
                                             : runtime + "/vantrel";
    if (QDir().mkpath(folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString OwnName() { return QString::number(getpid()); }

std::uint64_t IdOf(TCustomForm* form) { return form ? reinterpret_cast<std::uintptr_t>(form->Widget()) : 0; }

TCustomForm* FormOf(const QString& id)
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (IdOf(Screen->Forms(i)) == id.toULongLong())
            return Screen->Forms(i);
    return nullptr;
}

bool Matches(const QString& wanted, const String& actual)
{
    return wanted.isEmpty() || SameText(vt::FromQString(wanted), actual);
}

TCustomForm* FindForm(const QString& className, const QString& title)
{
    if (className.isEmpty() && title.isEmpty())
        return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (Matches(className, form->ClassName()) && Matches(title, form->Caption()))
            return form;
    }
    return nullptr;
}

QString Answer(bool b) { return b ? "1" : "0"; }
QString Answer(TCustomForm* form) { return QString::number(IdOf(form)); }

// One request of another program, carried out on our own forms.
QString Carry(const QStringList& request)
{
    const QString& verb = request.value(0);
    if (verb == "FIND")
        return Answer(FindForm(request.value(1), request.value(2)));
    TCustomForm* form = FormOf(request.value(1));
    if (!form)
        return "0";
    HWND window = form->Widget();
    if (verb == "ICONIC")
        return Answer(IsIconic(window));
    if (verb == "VISIBLE")
        return Answer(IsWindowVisible(window));
    if (verb == "ENABLED")
        return Answer(IsWindowEnabled(window));
    if (verb == "SHOW")
        return Answer(ShowWindow(window, request.value(2).toInt()));
    if (verb == "FOREGROUND")
        return Answer(SetForegroundWindow(window));
    if (verb == "ROOTOWNER")
        return Answer(Application->MainForm() ? Application->MainForm() : form);
    if (verb == "POPUP") {
        TCustomForm* last = Screen->ModalForm() ? Screen->ModalForm() : Screen->LastActiveForm(nullptr);
        return Answer(last ? last : form);
    }
    return "0";
}

void Serve(QLocalSocket* socket)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] {
        if (!socket->canReadLine())
            return;
        const QString line = QString::fromUtf8(socket->readLine()).chopped(1);
        socket->write((Carry(line.split('\t')) + '\n').toUtf8());
        socket->flush();
        socket->disconnectFromServer();
    });
}

// One request to the program behind server; an empty answer when it does not answer.
QString Ask(const QString& server, const QStringList& request)
{
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(kWaitMs)) {
        if (socket.error() == QLocalSocket::ConnectionRefusedError)  // left behind by a program that died
            QLocalServer::removeServer(server);
        return {};
    }
    socket.write((request.join('\t') + '\n').toUtf8());
    socket.waitForBytesWritten(kWaitMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(kWaitMs)) {
    }
    return socket.canReadLine() ? QString::fromUtf8(socket.readLine()).chopped(1) : QString();
}

QString Ask(const TForeignWindow& window, const QString& verb, const QString& argument = {})
{
    QStringList request{verb, QString::number(window.Id)};
    if (!argument.isEmpty())
        request << argument;
    return window ? Ask(vt::ToQString(window.Server), request) : QString();
}

TForeignWindow WindowFrom(const TForeignWindow& window, const QString& answer)
{
    return TForeignWindow{window.Server, answer.toULongLong()};
}

}  // namespace

void vt::ListenForOtherInstances()
{
    static QLocalServer* server = nullptr;
    if (server)
        return;
    server = new QLocalServer(qApp);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    static std::string path;
    path = (Folder() + '/' + OwnName()).toStdString();
    QLocalServer::removeServer(QString::fromStdString(path));
    if (!server->listen(QString::fromStdString(path)))
        return;  // without the folder the program runs on, unseen by later copies
    std::atexit([] { unlink(path.c_str()); });  // the application object, and so the server, outlive main
    QObject::connect(server, &QLocalServer::newConnection, server, [] {
        while (QLocalSocket* socket = server->nextPendingConnection())
            Serve(socket);
    });
}

TForeignWindow vt::FindForeignWindow(const String& ClassName, const String& Title)
{
    if (ClassName.empty() && Title.empty())
        return {};
    const QDir folder(Folder());
    for (const QString& name : folder.entryList(QDir::System, QDir::Name)) {
        if (name == OwnName())
            continue;
        const TForeignWindow window{vt::FromQString(folder.filePath(name)),
                                    Ask(folder.filePath(name), {"FIND", vt::ToQString(ClassName), vt::ToQString(Title)})
                                        .toULongLong()};
        if (window)
            return window;
    }
    return {};
}

bool IsIconic(const TForeignWindow& Window) { return Ask(Window, "ICONIC") == "1"; }
bool IsWindowVisible(const TForeignWindow& Window) { return Ask(Window, "VISIBLE") == "1"; }
bool IsWindowEnabled(const TForeignWindow& Window) { return Ask(Window, "ENABLED") == "1"; }
bool ShowWindow(const TForeignWindow& Window, int CmdShow) { return Ask(Window, "SHOW", QString::number(CmdShow)) == "1"; }
bool SetForegroundWindow(const TForeignWindow& Window) { return Ask(Window, "FOREGROUND") == "1"; }
TForeignWindow GetRootOwner(const TForeignWindow& Window) { return WindowFrom(Window, Ask(Window, "ROOTOWNER")); }
TForeignWindow GetLastActivePopup(const TForeignWindow& Window) { return WindowFrom(Window, Ask(Window, "POPUP")); }
