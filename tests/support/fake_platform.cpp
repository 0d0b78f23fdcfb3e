#include "fake_platform.h"

namespace velorinth {

namespace {

template<typename Fake, typename Service, typename... Args>
Fake *install(std::unique_ptr<Service> &slot, Args &&...args)
{
    auto fake = std::make_unique<Fake>(std::forward<Args>(args)...);
    Fake *raw = fake.get();
    slot = std::move(fake);
    return raw;
}

} // namespace

FakePlatform::FakePlatform(const QDateTime &start)
    : defaults(install<MemoryUserDefaults>(platform.defaults))
    , clock(install<FakeClock>(platform.clock, start))
    , console(install<FakeConsole>(platform.console))
    , volume(install<FakeVolumeControl>(platform.volume))
    , sleep(install<FakeSleepCommand>(platform.sleep))
    , notifier(install<FakeNotifier>(platform.notifier))
    , displays(install<FakeDisplays>(platform.displays))
    , privilegedShell(install<FakePrivilegedShell>(platform.privilegedShell))
    , terminal(install<FakeTerminalLauncher>(platform.terminal))
    , presses(install<FakePressWatch>(platform.presses))
{
}

} // namespace velorinth
