#include "ui/about/AboutDialog.h"

#include "ui/services/AppIdentity.h"
#include "ui/services/LayoutFont.h"
#include "ui/services/ProgramIcon.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& strName, const QString& strCaption, const QRect& Rect)
{
    auto* pLabel = new QLabel(strCaption, parent);
    pLabel->setObjectName(strName);
    pLabel->setGeometry(Rect);
    pLabel->setWordWrap(true);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return pLabel;
}

// One stroke of the engraved separator.
void MakeLine(QWidget* parent, const QString& strName, const QRect& Rect, const QColor& Color)
{
    auto* pLine = new QFrame(parent);
    pLine->setObjectName(strName);
    pLine->setGeometry(Rect);
    pLine->setAutoFillBackground(true);
    QPalette Palette = pLine->palette();
    Palette.setColor(QPalette::Window, Color);
    pLine->setPalette(Palette);
}

} // namespace

AboutDialog::AboutDialog(const AppIdentity& Identity, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(ProgramIcon());
    UseLayoutFont(this);
    setFixedSize(382, 242);
    CreateControls();
    Form_Load(Identity);
}

void AboutDialog::CreateControls()
{
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(16, 16, 36, 36);
    picIcon->setPixmap(ProgramPixmap(32));
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = MakeLabel(this, QStringLiteral("lblTitle"), {}, QRect(70, 16, 259, 32));
    QFont TitleFont = lblTitle->font();
    TitleFont.setBold(true);
    TitleFont.setPixelSize(TitleFont.pixelSize() * 3 / 2);
    lblTitle->setFont(TitleFont);
    lblVersion = MakeLabel(this, QStringLiteral("lblVersion"), {}, QRect(70, 52, 259, 15));
    lblDescription = MakeLabel(this, QStringLiteral("lblDescription"), {}, QRect(70, 75, 259, 78));

    MakeLine(this, QStringLiteral("Line1_1"), QRect(6, 163, 371, 1), QColor(128, 128, 128));
    MakeLine(this, QStringLiteral("Line1_0"), QRect(7, 164, 370, 2), QColor(255, 255, 255));

    MakeLabel(this, QStringLiteral("lblDisclaimer"),
              QStringLiteral("Please report any bug/suggestion to Marrowby at the following E.mail: "),
              QRect(17, 175, 258, 28));
    auto* lblEmail = MakeLabel(this, QStringLiteral("lblEmail"), QStringLiteral("marrowby@example.org"),
                               QRect(16, 208, 257, 25));
    lblEmail->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(283, 208, 84, 23);
    cmdOK->setAccessibleName(cmdOK->text());
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
}

void AboutDialog::Form_Load(const AppIdentity& Identity)
{
    setWindowTitle(QStringLiteral("About ") + Identity.Title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3 (Last Update: 04 Jan 1999)")
                            .arg(Identity.Major)
                            .arg(Identity.Minor)
                            .arg(Identity.Revision));
    lblTitle->setText(Identity.Title);
    lblDescription->setText(Identity.Comments);
}

void AboutDialog::cmdOK_Click()
{
    accept();
}

void AboutDialog::keyPressEvent(QKeyEvent* e)
{
    // OK is the cancel button too: Esc presses it.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(e);
}
