#include "app/Application.h"

#include "platform/AppError.h"

#include <QMessageBox>

namespace {
Application::ExceptionSink g_sink = nullptr;
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillery"));
    setApplicationDisplayName(QStringLiteral("Quillery"));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        showException(error);
    } catch (const std::exception &error) {
        showException(AppError(QString::fromUtf8(error.what())));
    } catch (...) {
        showException(AppError(QString()));
    }
    return false;
}

void Application::showException(const AppError &error)
{
    if (g_sink) {
        g_sink(error.message());
        return;
    }
    // An exception that carries no text still tells the user that the
    // command did not complete.
    const QString text = error.message().isEmpty() ? QStringLiteral("The operation could not be completed.")
                                                   : error.message();
    QMessageBox::critical(nullptr, applicationDisplayName(), text);
}

void Application::setExceptionSink(ExceptionSink sink)
{
    g_sink = sink;
}
