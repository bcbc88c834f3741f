#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class TtvAPIThing;

// The about box: product name and version, facts about this computer, and
// where to get support. This program creates it only to read the version.
class TfrmAboutZQ : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAboutZQ(QWidget* parent = nullptr);
    ~TfrmAboutZQ() override;

    void FormCreate();
    // Escape (27) or Enter (13) closes the window.
    void FormKeyPress(int key);
    void btnOKClick();
    void btnCloseClick();
    void Label17Click(); // the web page
    void Label6Click();  // the support e-mail address
    void Label18Click(); // the product's support page

    QLabel* ProgramIcon;
    QLabel* lblProductName;
    QLabel* lblVersion;
    QLabel* lblNotice;
    QGroupBox* grpSystemInfo;
    QLabel* lblHDSerial;
    QLabel* lblCompName;
    QLabel* lblOS;
    QLabel* lblOSVersion;
    QLabel* lblProcessor;
    QLabel* lblMemory;
    QLabel* lblFreeMemory;
    QLabel* lblIPAddress;
    QGroupBox* grpSupport;
    QLabel* Label17;
    QLabel* Label6;
    QLabel* Label18;
    QLabel* lblOfficeHours;
    QLabel* lblAfterHours;
    QPushButton* btnClose;

    // The serial of a volume as the box shows it: hexadecimal split after four digits.
    static QString SerialText(quint32 serial);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
