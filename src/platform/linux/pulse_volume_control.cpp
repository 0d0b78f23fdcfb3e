#include "pulse_volume_control.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <algorithm>
#include <cstdint>

namespace velorinth {

namespace {

using std::chrono::steady_clock;

// Resolved by the server, so one round trip finds the sink.
constexpr char kDefaultSink[] = "@DEFAULT_SINK@";

QString timedOut()
{
    return QStringLiteral("délai dépassé");
}

// pactl's rounding, so both tools show the same number.
int percentOf(pa_volume_t volume)
{
    return int((std::uint64_t(volume) * 100 + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM);
}

pa_volume_t volumeOf(int percent)
{
    return pa_volume_t((std::uint64_t(percent) * PA_VOLUME_NORM + 50) / 100);
}

struct SinkReply
{
    pa_cvolume volume{};
    bool found = false;
};

void onSinkInfo(pa_context *, const pa_sink_info *info, int endOfList, void *userdata)
{
    if (endOfList == 0 && info) {
        auto *reply = static_cast<SinkReply *>(userdata);
        reply->volume = info->volume;
        reply->found = true;
    }
}

void onSuccess(pa_context *, int success, void *userdata)
{
    *static_cast<bool *>(userdata) = success != 0;
}

} // namespace

PulseVolumeControl::PulseVolumeControl()
    : m_mainloop(pa_mainloop_new())
{
}

PulseVolumeControl::~PulseVolumeControl()
{
    disconnect();
    pa_mainloop_free(m_mainloop);
}

// The loudest channel is the volume, as in mixers: setting scales it to the
// percent and the others with it, and reading it back gives the same percent
// even when the channels are unbalanced.
std::optional<int> PulseVolumeControl::readPercent()
{
    pa_cvolume volume;
    if (readSinkVolume(volume, steady_clock::now() + kBudget))
        return std::nullopt;
    return percentOf(pa_cvolume_max(&volume));
}

// The boost that mixers offer past 100 %.
int PulseVolumeControl::maxPercent() const
{
    return percentOf(PA_VOLUME_UI_MAX);
}

std::optional<QString> PulseVolumeControl::setPercent(int percent)
{
    const Deadline deadline = steady_clock::now() + kBudget;
    pa_cvolume volume;
    if (Failure failure = readSinkVolume(volume, deadline))
        return failure;
    // Above 100 % is the user's own boost, read at the start of a fade: give it back as it was.
    pa_cvolume_scale(&volume, volumeOf(std::clamp(percent, 0, maxPercent())));

    bool accepted = false;
    if (Failure failure = request(deadline, [&](pa_context *context) {
            return pa_context_set_sink_volume_by_name(context, kDefaultSink, &volume, onSuccess,
                                                      &accepted);
        }))
        return failure;
    if (!accepted)
        return lastError();
    return std::nullopt;
}

PulseVolumeControl::Failure PulseVolumeControl::readSinkVolume(pa_cvolume &volume,
                                                               Deadline deadline)
{
    SinkReply reply;
    if (Failure failure = request(deadline, [&reply](pa_context *context) {
            return pa_context_get_sink_info_by_name(context, kDefaultSink, onSinkInfo, &reply);
        }))
        return failure;
    if (!reply.found)
        return lastError();
    volume = reply.volume;
    return std::nullopt;
}

// Runs one request to its answer. A connection that turns out to have died
// since the last call is made again once, so the first call after the server
// restarts still succeeds; one that stops answering is dropped.
PulseVolumeControl::Failure
PulseVolumeControl::request(Deadline deadline,
                            const std::function<pa_operation *(pa_context *)> &start)
{
    Failure failure;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if ((failure = connect(deadline)))
            return failure;
        pa_operation *operation = start(m_context);
        if (operation) {
            const bool answered = iterateUntil(deadline, [operation] {
                return pa_operation_get_state(operation) != PA_OPERATION_RUNNING;
            });
            if (!answered)
                pa_operation_cancel(operation); // its callback must not run after we return
            pa_operation_unref(operation);
            if (!answered) {
                disconnect();
                return timedOut();
            }
        }
        if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
            return operation ? Failure() : lastError();
        failure = lastError();
        disconnect();
    }
    return failure;
}

PulseVolumeControl::Failure PulseVolumeControl::connect(Deadline deadline)
{
    if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
        return std::nullopt;
    disconnect();
    m_context = pa_context_new(pa_mainloop_get_api(m_mainloop), "Velorinth");
    Failure failure;
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        failure = lastError();
    } else if (!iterateUntil(deadline, [this] {
                   const pa_context_state_t state = pa_context_get_state(m_context);
                   return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
               })) {
        failure = timedOut();
    } else if (pa_context_get_state(m_context) != PA_CONTEXT_READY) {
        failure = lastError();
    }
    if (failure)
        disconnect();
    return failure;
}

void PulseVolumeControl::disconnect()
{
    if (!m_context)
        return;
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

bool PulseVolumeControl::iterateUntil(Deadline deadline, const std::function<bool()> &done)
{
    using std::chrono::microseconds;
    while (!done()) {
        const auto left = std::chrono::duration_cast<microseconds>(deadline - steady_clock::now());
        if (left <= microseconds::zero())
            return false;
        if (pa_mainloop_prepare(m_mainloop, int(left.count())) < 0
            || pa_mainloop_poll(m_mainloop) < 0 || pa_mainloop_dispatch(m_mainloop) < 0)
            return false;
    }
    return true;
}

QString PulseVolumeControl::lastError() const
{
    return QString::fromUtf8(pa_strerror(pa_context_errno(m_context)));
}

} // namespace velorinth
