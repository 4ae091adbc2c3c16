#include "platform/beeper.h"

#include <QApplication>

namespace {

class WindowsBeeper final : public Beeper
{
public:
    void beep() override { QApplication::beep(); }
};

} // namespace

std::unique_ptr<Beeper> makeSystemBeeper()
{
    return std::make_unique<WindowsBeeper>();
}
