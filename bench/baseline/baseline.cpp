// The baseline: a bare Qt Widgets program with Pelmora's window, widgets,
// menus and one-second clock label, and none of its logic.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    auto *client = new QWidget(&window);
    QPalette grey = client->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    client->setPalette(grey);
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);

    auto *caption = new QLabel(QStringLiteral("現在時刻"), client);
    caption->move(8, 8);
    auto *clock = new QLabel(client);
    clock->move(64, 8);
    (new QLabel(client))->move(216, 16);
    (new QGroupBox(QStringLiteral("コンピューター"), client))->setGeometry(8, 32, 433, 225);
    (new QGroupBox(QStringLiteral("人間"), client))->setGeometry(8, 272, 433, 57);
    auto *log = new QPlainTextEdit(client);
    log->setGeometry(16, 56, 417, 153);
    log->setLineWrapMode(QPlainTextEdit::NoWrap);
    log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    font.setPointSizeF(11.25);
    log->setFont(font);
    (new QPushButton(QStringLiteral("クリアー"), client))->setGeometry(184, 216, 65, 25);
    auto *input = new QLineEdit(client);
    input->setGeometry(16, 296, 337, 25);
    input->setFocus(); // where Pelmora keeps the focus: its caret blinks there
    (new QPushButton(QStringLiteral("OK"), client))->setGeometry(376, 296, 49, 25);
    (new QPushButton(QStringLiteral("ウインドウズの終了"), client))->setGeometry(0, 536, 249, 25);
    (new QPushButton(QStringLiteral("Command2"), client))->setGeometry(320, 552, 25, 17);

    QMenu *files = window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    files->addAction(QStringLiteral("終了(&X)"));
    QMenu *speed = window.menuBar()->addMenu(QStringLiteral("文字の表示(&M)"));
    speed->addAction(QStringLiteral("速い(&A)"));
    speed->addAction(QStringLiteral("普通(&B)"));
    speed->addAction(QStringLiteral("遅い(&C)"));
    window.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"))->addAction(QStringLiteral("アプリケーション情報(&J)"));
    window.resize(446, 337 + window.menuBar()->sizeHint().height());

    QTimer tick(&window);
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, clock, [clock] {
        clock->setText(QTime::currentTime().toString(QStringLiteral("H:mm:ss")));
        clock->adjustSize();
    });
    tick.start(1000);

    // The same lines, each broken the way this editor keeps one line break.
    FirstPaintProbe probe([log](const QString &text) {
        log->insertPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    });
    window.show();
    return QApplication::exec();
}
