// The desktop's locale changes reach the running program: Qt's locale-change event and a new
// user locale file both re-read the formats and broadcast the setting change to the hooks.
#include "ui/kernel/DesktopLocale.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

#include "rtl/Locale.h"
#include "ui/kernel/SettingChange.h"
#include "ui/testing/UiTesting.h"

namespace {

// A private config folder for the user's locale files, set before the listener starts.
QTemporaryDir& ConfigDir()
{
    static QTemporaryDir dir;
    return dir;
}

class DesktopLocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", ConfigDir().path().toLocal8Bit().constData(), 1);
        vt::EnsureTestApplication();
        hook = vt::HookMainWindow([this](TMessage& m) {
            if (m.Msg == WM_SETTINGCHANGE)
                ++changes;
            return false;
        });
    }
    void TearDown() override
    {
        vt::UnhookMainWindow(hook);
        ResetLocaleFromSystem();
    }
    bool WaitForChange()
    {
        QElapsedTimer clock;
        clock.start();
        while (changes == 0 && clock.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        return changes > 0;
    }

    int hook = 0;
    int changes = 0;
};

TEST_F(DesktopLocaleTest, QtsLocaleChangeIsBroadcast)
{
    Locale().DateSeparator = '#';  // a format the system does not have: the change re-reads it
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &change);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(Locale().DateSeparator, "#");
}

TEST_F(DesktopLocaleTest, ANewUserLocaleFileIsTakenAndBroadcast)
{
    EXPECT_EQ(vt::DesktopLocaleConfigDir(), ConfigDir().path().toStdString());
    QFile file(QDir(ConfigDir().path()).filePath("locale.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write("LANG=C.UTF-8\nLC_TIME=\"C.UTF-8\"\n");
    file.close();
    ASSERT_TRUE(WaitForChange());
    EXPECT_EQ(changes, 1);
    EXPECT_STREQ(std::getenv("LC_TIME"), "C.UTF-8");
}

}  // namespace
