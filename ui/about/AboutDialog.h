#pragma once

#include <QDialog>

struct AppIdentity;
class QLabel;
class QPushButton;

// The About box: made anew for each showing from the identity it is given.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const AppIdentity& identity, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void createControls();
    void setUpForm(const AppIdentity& identity);
    void closeDialog();

    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* descriptionLabel = nullptr;
    QPushButton* okButton = nullptr;
};
