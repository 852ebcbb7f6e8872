#pragma once

#include <QDialog>

struct AppIdentity;
class QLabel;
class QPushButton;

// The About box: made anew for each showing from the identity it is given.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const AppIdentity& Identity, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void CreateControls();
    void Form_Load(const AppIdentity& Identity);
    void cmdOK_Click();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
};
