#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dalvo {

// The about box: product name, version, deployment texts and the copyright warning. Not modal.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Starts the system-information tool; where there is none, says so.
    void StartSysInfo();

    // "company\r\nlegal notice\r\ncomments\r\nVersión PRAL Metropolitana".
    static QString textoDescripcion();

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace dalvo
