#include "skin_elements.h"

#include <QLatin1String>

std::optional<TSkinElement> FindSkinElement(const QString& name) {
    static const std::pair<const char*, TSkinElement> Elements[] = {
        {"Quavrel", TSkinElement::Root},          {"Mainfrm", TSkinElement::Mainfrm},
        {"Wavefrm", TSkinElement::Wavefrm},       {"Repeatfrm", TSkinElement::Repeatfrm},
        {"Button", TSkinElement::Button},         {"Image", TSkinElement::Image},
        {"Label", TSkinElement::Label},           {"ScrollBar", TSkinElement::ScrollBar},
        {"SpeedMeter", TSkinElement::SpeedMeter},
    };
    for (const auto& [elementName, element] : Elements) {
        if (name.compare(QLatin1String(elementName), Qt::CaseInsensitive) == 0) {
            return element;
        }
    }
    return std::nullopt;
}
