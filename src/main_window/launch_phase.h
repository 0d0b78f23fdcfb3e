#pragma once

namespace velorinth {

// How far the launch sequence has come, in order; it only ever moves forward. The content
// view moves it along its timeline and the splash turns each phase into its own motion.
enum class LaunchPhase {
    Hidden, // the splash is up, nothing of it has started
    Particles,
    MoonDraw,
    TitleReveal,
    Tagline,
    Revealing, // the splash fades out
    Done, // the splash is gone and the content answers keys
};

} // namespace velorinth
