#pragma once

// The main window. It owns the widgets, the menus, the clock timer and one
// MainState, and wires every event to a handler named after the control and
// the event (sent_Click, Timer1_Timer, …). The handlers stay small: the
// conversation (answerLine, greet, TypeOut) and the clock (alarmDue) are
// plain functions over the MainState, reaching the widgets only through
// MainSurface and the system only through SystemServices. PowerOffRequests
// keeps the shutdown requests of an alarm minute in order and AlarmWarning
// the warning a minute before, from which warning_Cancel cancels the alarm;
// MissedAlarmWatch tells the tick when the alarm's minute went by unseen.
// sent_Click, warning_Cancel, alarm_Missed and the alarm given on the
// command line tell the system when the alarm was armed or disarmed.
//
// A line's way through: Enter in Sent_t → Sent_t_KeyPress → sent->click()
// → sent_Click → answerLine → TypeOut into uke, all before the key returns.

#include "app/mainsurface.h"
#include "clock/alarmwarning.h"
#include "clock/missedalarm.h"
#include "clock/poweroffrequests.h"
#include "conversation/mainstate.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class ChatLog;
class frmAbout;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class SystemServices;

class T_Main : public QMainWindow
{
    Q_OBJECT

public:
    explicit T_Main(SystemServices &system, QWidget *parent = nullptr);
    ~T_Main() override;

    // The shared fields, for whoever drives the window from outside.
    MainState &state() { return fields; }
    // The alarm the program was started with (--at): armed as typed, once
    // the greeting is done.
    void armAfterGreeting(const QString &time) { alarmAtStart = time; }

    void Form_Load();
    void Sent_t_KeyPress(qint16 &KeyAscii);
    void sent_Click();
    void shoki_Click();
    void Timer1_Timer();
    void Exit_CB_Click();
    void Command1_Click();
    void Aspeed_Click();
    void Bspeed_Click();
    void Cspeed_Click();
    void shuryou_Click();
    void jyouhou_Click();
    void warning_Cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A closed window must not go on ticking, nor wait for an answer: it
    // could still fire the alarm, or type into a log nobody sees.
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void wireEvents();
    // The alarm is disarmed, or the window or the program ends: the warning
    // goes, an open request's answer is no longer awaited, and the system,
    // if the alarm was armed, hears that the machine may sleep again.
    void dropAlarm(bool wasArmed);
    // After a line or a cancel: tells the system if the alarm was armed, or
    // drops it if disarmed.
    void armingChanged(qint16 wasArmed);
    // The tick found the armed alarm's minute gone by unseen: said and disarmed.
    void alarm_Missed();
    void armFromCommandLine();
    // Asked for from the warning or the tray: restored, in front, ready to type.
    void bringForward(const QString &activationToken);

    SystemServices &system;
    MainState fields;
    QString alarmAtStart;

    QLabel *Label1;
    QLabel *jikanG;
    QLabel *la3;
    QGroupBox *Frame1;
    ChatLog *uke;
    QPushButton *Command1;
    QGroupBox *Frame2;
    QLineEdit *Sent_t;
    QPushButton *sent;
    QFrame *Line1;
    QPushButton *Exit_CB;
    QPushButton *shoki;
    QTimer *Timer1;

    QAction *shuryou;
    QAction *Aspeed;
    QAction *Bspeed;
    QAction *Cspeed;
    QAction *jyouhou;

    std::optional<MainSurface> surface; // made once the widgets exist
    std::optional<PowerOffRequests> powerOff;
    AlarmWarning warning{system};
    MissedAlarmWatch missed;
    // The About dialog while it is open; it has no owner window, so that
    // either window can stand in front of the other.
    QPointer<frmAbout> about;
};
