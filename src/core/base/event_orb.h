#pragma once
// The orb within which a lunation or an eclipse is said to fall on a natal point (by conjunction or
// opposition): the default, and the range the settings file, the Preferences window and the command
// line's --orb take. Degrees of longitude.

namespace orrerion {

inline constexpr double DefaultEventOrb = 3.0;
inline constexpr double MinEventOrb = 0.0;
inline constexpr double MaxEventOrb = 15.0;

}  // namespace orrerion
