#include <QApplication>
#include <csignal>

#include "ui/common/QtTranslations.h"
#include "ui/main/Startup.h"

int main(int argc, char** argv) {
    // A write past a file-size limit must fail with an error the program reports, not end it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.namori.Namori"));
    namori::InstallQtTranslations();
    return namori::StartUp([](namori::frmMain&) { return QApplication::exec(); });
}
