#include "app/Application.h"
#include "app/TMainForm.h"
#include "platform/AppError.h"

int main(int argc, char *argv[])
{
    try {
        Application app(argc, argv);
        Application::setApplicationDisplayName(QStringLiteral("Quillery"));
        try {
            TMainForm form;
            MainForm = &form;
            if (form.isUsable()) {
                form.show();
                app.exec();
            }
            MainForm = nullptr;
        } catch (const AppError &error) {
            Application::showException(error);
        } catch (const std::exception &error) {
            Application::showException(AppError(QString::fromUtf8(error.what())));
        } catch (...) {
            Application::showException(AppError(QString()));
        }
    } catch (...) {
        // Without an application object nothing can be shown.
    }
    return 0;
}
