#pragma once

#include <QString>

namespace velorinth {

// What the user is told or offered differently on each backend set's machines.
struct HostTraits
{
    // The machine as the subject of a sentence: "… ne se mettra plus en veille".
    QString machine;
    // Whether the charging-LED helper exists for this kind of machine, so its installer can work.
    bool canInstallBatt = false;

    [[nodiscard]] static HostTraits linuxDesktop()
    {
        return {QStringLiteral("L'ordinateur"), false};
    }
    [[nodiscard]] static HostTraits mac() { return {QStringLiteral("Le Mac"), true}; }
};

} // namespace velorinth
