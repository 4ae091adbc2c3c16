#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About dialog: icon, title, version, description and disclaimer.
// Opened while closed, it is built anew; chosen again while open, the same
// dialog comes to the front. Closing it in any way destroys it.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();

    void Form_Load();
    void cmdOK_Click();

    // Esc and the close box end up here, and close the dialog as OK does.
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *picIcon;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
};
