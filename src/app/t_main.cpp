#include "app/t_main.h"

#include "about/frmabout.h"
#include "about/programicon.h"
#include "app/chatlog.h"
#include "app/keyascii.h"
#include "clock/alarmcheck.h"
#include "conversation/conversation.h"
#include "conversation/greeting.h"
#include "platform/systemservices.h"
#include "platform/twips.h"
#include "platform/windowactivation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

template<typename Widget>
Widget *place(Widget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return widget;
}

QLabel *autoSizedLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = place(new QLabel(caption, parent), name, left, top, 0, 0);
    label->adjustSize();
    return label;
}

QFont logFont()
{
    // The face the layout was made for, its usual aliases, then the
    // metric-compatible face a Debian desktop installs.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("MS Pゴシック"), QStringLiteral("IPAPGothic")});
    font.setPointSizeF(11.25);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

T_Main::T_Main(SystemServices &system, QWidget *parent)
    : QMainWindow(parent)
    , system(system)
{
    createControls();
    surface.emplace(*uke, *Sent_t, *la3);
    powerOff.emplace(fields, *surface, system);
    createMenus();
    wireEvents();
    system.setWarningActions(*this, {[this](const QString &activationToken) { bringForward(activationToken); },
                                     [this] { warning_Cancel(); }, [this] { QApplication::alert(this); }});
    Form_Load();
    Timer1->start();
}

T_Main::~T_Main()
{
    // An About dialog still open when the program ends goes with it.
    delete about.data();
}

void T_Main::createControls()
{
    setObjectName(QStringLiteral("T_Main"));
    setWindowTitle(QStringLiteral("Pelmora Ver1.0b"));
    setWindowIcon(programIcon());

    auto *client = new QWidget(this);
    QPalette grey = client->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    client->setPalette(grey);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Label1 = autoSizedLabel(client, "Label1", QStringLiteral("現在時刻"), 120, 120);
    jikanG = autoSizedLabel(client, "jikanG", QString(), 960, 120);
    la3 = autoSizedLabel(client, "la3", QString(), 3240, 240);

    // Siblings made later are drawn on top: the frames come after the three
    // labels and before the controls that stand on them.
    Frame1 = place(new QGroupBox(QStringLiteral("コンピューター"), client), "Frame1", 120, 480, 6495, 3375);
    Frame1->setAutoFillBackground(true);
    Frame2 = place(new QGroupBox(QStringLiteral("人間"), client), "Frame2", 120, 4080, 6495, 855);
    Frame2->setPalette(QApplication::palette());
    Frame2->setAutoFillBackground(true);

    uke = place(new ChatLog(client), "uke", 240, 840, 6255, 2295);
    uke->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    uke->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    uke->setTabChangesFocus(true);
    QPalette paper = uke->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    uke->setPalette(paper);
    uke->setFont(logFont());

    Command1 = place(new QPushButton(QStringLiteral("クリアー"), client), "Command1", 2760, 3240, 975, 375);
    Sent_t = place(new QLineEdit(client), "Sent_t", 240, 4440, 5055, 375);
    sent = place(new QPushButton(QStringLiteral("OK"), client), "sent", 5640, 4440, 735, 375);

    Line1 = place(new QFrame(client), "Line1", 120, 7440, 6360 + 15, 15);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);

    // Two triggers below the designed area, pressed from code only. Hidden,
    // so that no window size, tiling or maximizing shows them: a click or a
    // key on "ウインドウズの終了" must never power the machine off.
    Exit_CB = place(new QPushButton(QStringLiteral("ウインドウズの終了"), client), "Exit_CB", 0, 8040, 3735, 375);
    shoki = place(new QPushButton(QStringLiteral("Command2"), client), "shoki", 4800, 8280, 375, 255);
    Exit_CB->hide();
    shoki->hide();

    setTabOrder(Sent_t, sent);
    setTabOrder(sent, uke);
    setTabOrder(uke, Command1);
    Sent_t->setFocus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);
}

void T_Main::createMenus()
{
    const auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    const auto addItem = [](QMenu *menu, const char *name, const QString &caption) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        return item;
    };

    QMenu *files = addMenu("files", QStringLiteral("ファイル(&F)"));
    shuryou = addItem(files, "shuryou", QStringLiteral("終了(&X)"));
    QMenu *moji = addMenu("moji", QStringLiteral("文字の表示(&M)"));
    Aspeed = addItem(moji, "Aspeed", QStringLiteral("速い(&A)"));
    Bspeed = addItem(moji, "Bspeed", QStringLiteral("普通(&B)"));
    Cspeed = addItem(moji, "Cspeed", QStringLiteral("遅い(&C)"));
    QMenu *helpH = addMenu("helpH", QStringLiteral("ヘルプ(&H)"));
    jyouhou = addItem(helpH, "jyouhou", QStringLiteral("アプリケーション情報(&J)"));

    // The client area has its designed size below the menu bar, as tall as
    // the window's layout makes it for that width.
    resize(twips(6690), twips(5055) + menuBar()->heightForWidth(twips(6690)));
}

void T_Main::wireEvents()
{
    Sent_t->installEventFilter(this);
    connect(sent, &QPushButton::clicked, this, &T_Main::sent_Click);
    connect(shoki, &QPushButton::clicked, this, &T_Main::shoki_Click);
    connect(Timer1, &QTimer::timeout, this, &T_Main::Timer1_Timer);
    connect(Exit_CB, &QPushButton::clicked, this, &T_Main::Exit_CB_Click);
    connect(Command1, &QPushButton::clicked, this, &T_Main::Command1_Click);
    connect(Aspeed, &QAction::triggered, this, &T_Main::Aspeed_Click);
    connect(Bspeed, &QAction::triggered, this, &T_Main::Bspeed_Click);
    connect(Cspeed, &QAction::triggered, this, &T_Main::Cspeed_Click);
    connect(shuryou, &QAction::triggered, this, &T_Main::shuryou_Click);
    connect(jyouhou, &QAction::triggered, this, &T_Main::jyouhou_Click);
}

bool T_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Sent_t && event->type() == QEvent::KeyPress) {
        if (std::optional<qint16> code = keyAscii(*static_cast<QKeyEvent *>(event))) {
            qint16 KeyAscii = *code;
            Sent_t_KeyPress(KeyAscii);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void T_Main::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    dropAlarm(fields.timerOn == 1);
    // A late click on the warning must not bring back a window that no
    // longer ticks, nor cancel into a log nobody sees.
    system.setWarningActions(*this, {[](const QString &) {}, [] {}, [] {}});
    event->accept();
}

void T_Main::dropAlarm(bool wasArmed)
{
    // The warning first: on Windows it is a message of the tray icon, which
    // disarming hides.
    warning.withdraw();
    powerOff->abandon();
    if (wasArmed)
        system.setAlarmArmed(false, QString());
}

void T_Main::armingChanged(qint16 wasArmed)
{
    if (fields.timerOn == wasArmed)
        return;
    if (fields.timerOn == 1)
        system.setAlarmArmed(true, alarmWaitReason(fields.setHour, fields.setMin));
    else
        dropAlarm(true);
}

void T_Main::bringForward(const QString &activationToken)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateOnUsersRequest(*windowHandle(), activationToken);
    Sent_t->setFocus();
}

void T_Main::Form_Load()
{
    fields.mode = 1;
    fields.greetStep = 1;
    fields.speed = 80000;
    fields.timerOn = 0;
}

void T_Main::Sent_t_KeyPress(qint16 &KeyAscii)
{
    if (KeyAscii == 13)
        sent->click();
}

void T_Main::sent_Click()
{
    const qint16 wasArmed = fields.timerOn;
    answerLine(fields, *surface, system);
    armingChanged(wasArmed);
}

void T_Main::shoki_Click()
{
    greet(fields, *surface, system);
    if (!alarmAtStart.isEmpty())
        armFromCommandLine();
}

void T_Main::Timer1_Timer()
{
    fields.nowTime = system.timeOfDay();
    jikanG->setText(system.timeOfDay());
    jikanG->adjustSize();
    if (fields.greetStep == 1)
        shoki->click();
    warning.tick(fields);
    const bool skipped = missed.tick(fields, system.now());
    if (alarmDue(fields)) {
        Exit_CB->click();
        return;
    }
    powerOff->alarmMinuteOver();
    if (skipped)
        alarm_Missed();
}

void T_Main::Exit_CB_Click()
{
    powerOff->request();
}

void T_Main::Command1_Click()
{
    uke->clear();
}

void T_Main::Aspeed_Click()
{
    fields.speed = 0;
}

void T_Main::Bspeed_Click()
{
    fields.speed = 80000;
}

void T_Main::Cspeed_Click()
{
    fields.speed = 180000;
}

void T_Main::shuryou_Click()
{
    dropAlarm(fields.timerOn == 1);
    system.endProgram();
}

void T_Main::jyouhou_Click()
{
    if (!about)
        about = new frmAbout; // deletes itself when closed
    about->show();
    about->raise();
    about->activateWindow();
}

void T_Main::warning_Cancel()
{
    const qint16 wasArmed = fields.timerOn;
    cancelAlarm(fields, *surface, system);
    armingChanged(wasArmed);
}

void T_Main::alarm_Missed()
{
    const qint16 wasArmed = fields.timerOn;
    alarmMissed(fields, *surface, system);
    armingChanged(wasArmed);
}

void T_Main::armFromCommandLine()
{
    const qint16 wasArmed = fields.timerOn;
    armAtStart(fields, *surface, system, std::exchange(alarmAtStart, QString()));
    armingChanged(wasArmed);
}
