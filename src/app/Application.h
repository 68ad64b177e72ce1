#pragma once

#include <QApplication>

class AppError;

// The application object. An exception that escapes an event handler is
// shown with the standard error message and the program goes on, as users
// of a desktop program expect; it never takes the process down.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The standard exception message: an error box titled with the
    // application's title. Tests may divert it to record what was shown.
    static void showException(const AppError &error);
    using ExceptionSink = void (*)(const QString &message);
    static void setExceptionSink(ExceptionSink sink);
};
