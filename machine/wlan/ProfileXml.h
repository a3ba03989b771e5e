#pragma once
// The service's reading of a profile document: a small, bounded XML reader (elements,
// attributes, text, the five named entities and numeric references) and the profile's fields.

#include "machine/wlan/WlanCodes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::wlan
{

struct XmlElement
{
    std::string name; // as written, prefix included
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text; // the element's own text, entities resolved
    std::vector<XmlElement> children;

    const XmlElement* child(const std::string& local) const;
    std::string childText(const std::string& local) const;
    std::optional<std::string> attribute(const std::string& attributeName) const;
};

// Nullopt for anything malformed (unbalanced tags, bad entities, junk after the root, too deep
// or too large).
std::optional<XmlElement> ParseXml(const std::string& text);

struct ProfileDocument
{
    std::string name;
    std::string ssid;
    std::string connectionType; // ESS or IBSS
    std::string authentication;
    std::string encryption;
    std::uint32_t authAlgorithm = kAuthOpen; // the two above as the platform numbers them
    std::uint32_t cipherAlgorithm = kCipherNone;
    bool oneX = false;
    bool hasSharedKey = false;
    std::string keyType;
    bool keyProtected = false;
    std::string keyMaterial;
};

// 0 and `doc` filled when the document reads as a profile; else the reason (kReason...).
std::uint32_t CheckProfile(const std::string& xml, ProfileDocument& doc);

} // namespace machine::wlan
