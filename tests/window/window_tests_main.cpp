// Runs the window tests inside one toolkit on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "platform/window_system.h"

namespace {

// The offscreen platform says so each time a window asks for what only a real screen
// does (size hints, raising, grabbing the mouse); ten thousand boxes make that noise.
void QuietAboutTheOffscreenPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    const QByteArray text = message.toLocal8Bit();
    std::fprintf(stderr, "%s\n", text.constData());
    if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argumentCount, char** arguments) {
    ::testing::InitGoogleTest(&argumentCount, arguments);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietAboutTheOffscreenPlatform);
    if (platform::StartToolkit(argumentCount, arguments)) return 1;
    const int result = RUN_ALL_TESTS();
    platform::StopToolkit();
    return result;
}
