#include "about/frmabout.h"

#include "about/programicon.h"
#include "platform/appidentity.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

QLabel *wrappedLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                     int width, int height, bool black)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(twips(left), twips(top), twips(width), twips(height));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (black) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

} // namespace

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(programIcon());
    setFixedSize(twips(5730), twips(3555));

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setGeometry(twips(240), twips(240), twips(540), twips(540));
    picIcon->setPixmap(programIcon().pixmap(32, 32));

    lblTitle = wrappedLabel(this, "lblTitle", QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ  Pelmora"), 1050, 240, 3885, 480, true);
    lblVersion = wrappedLabel(this, "lblVersion", QStringLiteral("ﾊﾞｰｼﾞｮﾝ １．０β"), 1050, 780, 3885, 225, false);
    lblDescription = wrappedLabel(this, "lblDescription",
                                  QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明 フリーソフトです。対話型ウインドウズ終了タイマーです。"),
                                  1050, 1125, 3885, 1170, true);
    lblDisclaimer = wrappedLabel(this, "lblDisclaimer",
                                 QStringLiteral("警告: ...このソフトによりどんな障害が起こっても責任は取りません。"),
                                 255, 2625, 3870, 825, true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(4260), twips(2760), twips(1310), twips(345));
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Form_Load();
}

void frmAbout::Form_Load()
{
    const QString title = QString::fromUtf8(AppIdentity::title);
    setWindowTitle(title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                            .arg(AppIdentity::majorVersion)
                            .arg(AppIdentity::minorVersion)
                            .arg(AppIdentity::revision));
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The etched rule between the description and the disclaimer: a grey
    // line with a white one just below it.
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(twips(90), twips(2445)), QPoint(twips(5654), twips(2445))), QColor(128, 128, 128));
    painter.fillRect(QRect(QPoint(twips(105), twips(2460)), QPoint(twips(5654), twips(2460) + 1)), Qt::white);
}
