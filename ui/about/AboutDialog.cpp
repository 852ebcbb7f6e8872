#include "ui/about/AboutDialog.h"

#include "ui/services/AppIdentity.h"
#include "ui/services/LayoutFont.h"
#include "ui/services/ProgramIcon.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& rect)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// One stroke of the engraved separator.
void makeLine(QWidget* parent, const QString& name, const QRect& rect, const QColor& color)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setGeometry(rect);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
}

} // namespace

AboutDialog::AboutDialog(const AppIdentity& identity, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowIcon(programIcon());
    useLayoutFont(this);
    setFixedSize(382, 242);
    createControls();
    setUpForm(identity);
}

void AboutDialog::createControls()
{
    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setGeometry(16, 16, 36, 36);
    iconLabel->setPixmap(programPixmap(32));
    iconLabel->setAlignment(Qt::AlignCenter);

    titleLabel = makeLabel(this, QStringLiteral("titleLabel"), {}, QRect(70, 16, 259, 32));
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(titleFont.pixelSize() * 3 / 2);
    titleLabel->setFont(titleFont);
    versionLabel = makeLabel(this, QStringLiteral("versionLabel"), {}, QRect(70, 52, 259, 15));
    descriptionLabel = makeLabel(this, QStringLiteral("descriptionLabel"), {}, QRect(70, 75, 259, 78));

    makeLine(this, QStringLiteral("Line1_1"), QRect(6, 163, 371, 1), QColor(128, 128, 128));
    makeLine(this, QStringLiteral("Line1_0"), QRect(7, 164, 370, 2), QColor(255, 255, 255));

    makeLabel(this, QStringLiteral("disclaimerLabel"),
              QStringLiteral("Please report any bug/suggestion to Marrowby at the following E.mail: "),
              QRect(17, 175, 258, 28));
    auto* emailLabel =
        makeLabel(this, QStringLiteral("emailLabel"), QStringLiteral("marrowby@example.org"), QRect(16, 208, 257, 25));
    emailLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(283, 208, 84, 23);
    okButton->setAccessibleName(okButton->text());
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &AboutDialog::closeDialog);
}

void AboutDialog::setUpForm(const AppIdentity& identity)
{
    setWindowTitle(QStringLiteral("About ") + identity.title);
    versionLabel->setText(QStringLiteral("Version %1.%2.%3 (Last Update: 04 Jan 1999)")
                              .arg(identity.majorVersion)
                              .arg(identity.minorVersion)
                              .arg(identity.revision));
    titleLabel->setText(identity.title);
    descriptionLabel->setText(identity.comments);
}

void AboutDialog::closeDialog()
{
    accept();
}

void AboutDialog::keyPressEvent(QKeyEvent* e)
{
    // OK is the cancel button too: Esc presses it.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        okButton->click();
        return;
    }
    QDialog::keyPressEvent(e);
}
