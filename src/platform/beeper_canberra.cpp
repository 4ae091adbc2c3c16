#include "platform/appidentity.h"
#include "platform/beeper.h"
#include "platform/themebeep.h"

#include <QApplication>

#include <canberra.h>

namespace {

// Event sounds through libcanberra, which plays them on the session's
// sound server at the desktop's event-sound volume, as the desktop's own
// programs do.
class CanberraSounds final : public EventSounds
{
public:
    CanberraSounds()
    {
        // A failure leaves no context, and every play then says why.
        if (ca_context_create(&context) == CA_SUCCESS)
            ca_context_change_props(context, CA_PROP_APPLICATION_NAME, AppIdentity::title, nullptr);
    }
    ~CanberraSounds() override { ca_context_destroy(context); }
    CanberraSounds(const CanberraSounds &) = delete;
    CanberraSounds &operator=(const CanberraSounds &) = delete;

    void cancel(quint32 id) override { ca_context_cancel(context, id); }
    std::optional<QString> play(quint32 id, const char *eventId) override
    {
        // The server keeps the sound after its first use, so later beeps
        // send only the id, never the file.
        const int error = ca_context_play(context, id, CA_PROP_EVENT_ID, eventId,
                                          CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (error == CA_SUCCESS)
            return std::nullopt;
        return QString::fromUtf8(ca_strerror(error));
    }

private:
    ca_context *context = nullptr;
};

} // namespace

std::unique_ptr<Beeper> makeSystemBeeper()
{
    return std::make_unique<ThemeBeep>(std::make_unique<CanberraSounds>(), [] { QApplication::beep(); });
}
