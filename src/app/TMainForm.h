#pragma once

#include <QMainWindow>

// The main window: shows one book and lives for the whole run.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when construction could not prepare the data folder; the program
    // then ends without showing the window.
    bool isUsable() const { return m_usable; }

private:
    void FormCreate();

    bool m_usable = true;
};

extern TMainForm *MainForm;
