#pragma once
// The password window (TPassWrd) in front of the setup panel.
#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The password window in front of the setup panel: OK is enabled only once
// the password typed has been recognised.
class TPassWrd : public QDialog {
    Q_OBJECT
public:
    explicit TPassWrd(const QString &password, QWidget *parent = nullptr);

    void FormActivate();
    void IpPassEnter();
    // Checks the box against the password.
    void IpPassExit();
    void ReturnClick();
    void CancelButtonClick();

    QFrame *DisplayPan;
    QLineEdit *IpPass;
    QLabel *PassPrompt;
    QPushButton *Return, *CancelButton;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString password;
};
