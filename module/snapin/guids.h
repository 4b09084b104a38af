// The class identifiers of the snap-in module.
#pragma once

#include "platform/com/guid.h"

inline constexpr CLSID CLSID_PagewellSnapin =
    pw::GuidLiteral("0365C5F7-50FA-4061-A5BA-4573F16B742D");
inline constexpr CLSID CLSID_PagewellAbout =
    pw::GuidLiteral("BE77A287-F672-4FAA-9857-F6253C4DDE90");
