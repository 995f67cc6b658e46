#include "core/base/aspect_families.h"

namespace orrerion {

std::optional<AspectFamily> FamilyFromCode(std::string_view code) {
    for (const FamilyInfo& info : ScanFamilies) {
        if (info.code == code) return info.family;
    }
    return std::nullopt;
}

}  // namespace orrerion
