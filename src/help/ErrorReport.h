#pragma once

#include <QString>
#include <QUrl>

#include <functional>

struct SystemFacts;

// The numbered diagnostic mail offered after a failure the program cannot
// repair. The report is handed to the user's mail program as a new message;
// the program sends nothing itself and changes no state.
class ErrorReport
{
public:
    // Where reports go.
    static constexpr const char *SupportAddress = "support@example.com";

    // The report text: lines separated by the vertical tab (code 11), ending
    // with an empty line and `additional`, the request for a description.
    static QString composeText(int number, const SystemFacts &facts, const QString &additional);

    // mailto link to the support address with subject and body, both
    // percent-encoded so spaces, "&", "#" and "?" in them survive.
    static QUrl mailLink(const QString &subject, const QString &body);

    // Composes the report for error `number` with the current language's
    // subject and closing request, and opens the mail link. Returns at once;
    // a desktop without a mail program is silently ignored.
    static void send(int number);

    // Receives the link instead of the desktop when set (tests).
    static std::function<void(const QUrl &)> linkOpener;
};
