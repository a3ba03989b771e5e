#include "machine/wlan/ProfileXml.h"

#include "machine/text/Utf8.h"

#include <string_view>

namespace machine::wlan
{
namespace
{

constexpr std::size_t kMaxDocument = 1 << 20;
constexpr int kMaxDepth = 32;
const char* const kProfileNamespace = "http://www.microsoft.com/networking/WLAN/profile/v1";

struct NamedNumber
{
    std::string_view name;
    std::uint32_t number;
};

// The values a profile's authentication and encryption elements may hold.
constexpr NamedNumber kAuthentications[] = {
    {"open", kAuthOpen},     {"shared", kAuthSharedKey}, {"WPA", kAuthWpa},
    {"WPAPSK", kAuthWpaPsk}, {"WPA2", kAuthRsna},        {"WPA2PSK", kAuthRsnaPsk},
};
constexpr NamedNumber kEncryptions[] = {
    {"none", kCipherNone}, {"WEP", kCipherWep}, {"TKIP", kCipherTkip}, {"AES", kCipherCcmp}};

template <std::size_t N>
std::optional<std::uint32_t> Lookup(const NamedNumber (&table)[N], std::string_view name)
{
    for (const auto& entry : table)
        if (entry.name == name)
            return entry.number;
    return std::nullopt;
}

std::string LocalName(const std::string& name)
{
    auto colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

class Reader
{
public:
    explicit Reader(const std::string& t) : s(t) {}

    std::optional<XmlElement> document()
    {
        skipProlog();
        XmlElement root;
        if (!element(root, 0))
            return std::nullopt;
        skipMisc();
        if (p != s.size())
            return std::nullopt;
        return root;
    }

private:
    const std::string& s;
    std::size_t p = 0;

    bool starts(const char* lit) const
    {
        return s.compare(p, std::char_traits<char>::length(lit), lit) == 0;
    }
    void skipSpace()
    {
        while (p < s.size() && (s[p] == ' ' || s[p] == '\t' || s[p] == '\r' || s[p] == '\n'))
            ++p;
    }
    bool skipPast(const char* lit)
    {
        auto at = s.find(lit, p);
        if (at == std::string::npos)
            return false;
        p = at + std::char_traits<char>::length(lit);
        return true;
    }
    void skipMisc()
    {
        for (;;)
        {
            skipSpace();
            if (starts("<!--"))
            {
                if (!skipPast("-->"))
                    return;
            }
            else if (starts("<?"))
            {
                if (!skipPast("?>"))
                    return;
            }
            else
                return;
        }
    }
    void skipProlog()
    {
        if (starts("\xEF\xBB\xBF"))
            p += 3;
        skipMisc();
    }
    static bool nameChar(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == ':' || c == '-' || c == '.' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    bool name(std::string& out)
    {
        std::size_t start = p;
        while (p < s.size() && nameChar(s[p]))
            ++p;
        out = s.substr(start, p - start);
        return !out.empty() && !(out[0] >= '0' && out[0] <= '9') && out[0] != '-' && out[0] != '.';
    }
    // Text up to `stop`, with references resolved; false on a bad reference or a stray '<'.
    bool text(std::string& out, char stop)
    {
        while (p < s.size() && s[p] != stop)
        {
            char c = s[p];
            if (c == '<')
                return stop == '<';
            if (c != '&')
            {
                out += c;
                ++p;
                continue;
            }
            auto semi = s.find(';', p);
            if (semi == std::string::npos || semi - p > 12)
                return false;
            std::string ref = s.substr(p + 1, semi - p - 1);
            p = semi + 1;
            if (ref == "amp")
                out += '&';
            else if (ref == "lt")
                out += '<';
            else if (ref == "gt")
                out += '>';
            else if (ref == "quot")
                out += '"';
            else if (ref == "apos")
                out += '\'';
            else if (ref.size() >= 2 && ref[0] == '#')
            {
                bool hex = ref[1] == 'x';
                std::string digits = ref.substr(hex ? 2 : 1);
                if (digits.empty())
                    return false;
                std::uint32_t cp = 0;
                for (char d : digits)
                {
                    int v = d >= '0' && d <= '9'          ? d - '0'
                            : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                            : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                          : -1;
                    if (v < 0)
                        return false;
                    cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
                    if (cp > 0x10FFFF)
                        return false;
                }
                if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF))
                    return false;
                machine::text::AppendUtf8(out, cp);
            }
            else
                return false;
        }
        return p < s.size() || stop == '<';
    }
    bool element(XmlElement& e, int depth)
    {
        if (depth > kMaxDepth || p >= s.size() || s[p] != '<')
            return false;
        ++p;
        if (!name(e.name))
            return false;
        for (;;)
        {
            skipSpace();
            if (p >= s.size())
                return false;
            if (starts("/>"))
            {
                p += 2;
                return true;
            }
            if (s[p] == '>')
            {
                ++p;
                break;
            }
            std::string attr;
            if (!name(attr))
                return false;
            skipSpace();
            if (p >= s.size() || s[p] != '=')
                return false;
            ++p;
            skipSpace();
            if (p >= s.size() || (s[p] != '"' && s[p] != '\''))
                return false;
            char quote = s[p++];
            std::string value;
            if (!text(value, quote) || p >= s.size())
                return false;
            ++p;
            for (auto& [n, v] : e.attributes)
                if (n == attr)
                    return false;
            e.attributes.emplace_back(attr, value);
        }
        for (;;)
        {
            if (!text(e.text, '<') || p >= s.size())
                return false;
            if (starts("</"))
            {
                p += 2;
                std::string closing;
                if (!name(closing) || closing != e.name)
                    return false;
                skipSpace();
                if (p >= s.size() || s[p] != '>')
                    return false;
                ++p;
                return true;
            }
            if (starts("<!--"))
            {
                if (!skipPast("-->"))
                    return false;
                continue;
            }
            if (starts("<![CDATA["))
            {
                p += 9;
                auto end = s.find("]]>", p);
                if (end == std::string::npos)
                    return false;
                e.text += s.substr(p, end - p);
                p = end + 3;
                continue;
            }
            if (starts("<?") || starts("<!"))
                return false;
            XmlElement child;
            if (!element(child, depth + 1))
                return false;
            e.children.push_back(std::move(child));
        }
    }
};

std::string Trim(const std::string& t)
{
    auto b = t.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return t.substr(b, t.find_last_not_of(" \t\r\n") - b + 1);
}

} // namespace

const XmlElement* XmlElement::child(const std::string& local) const
{
    for (auto& c : children)
        if (LocalName(c.name) == local)
            return &c;
    return nullptr;
}

std::string XmlElement::childText(const std::string& local) const
{
    const XmlElement* c = child(local);
    return c ? c->text : std::string();
}

std::optional<std::string> XmlElement::attribute(const std::string& attributeName) const
{
    for (auto& [n, v] : attributes)
        if (n == attributeName)
            return v;
    return std::nullopt;
}

std::optional<XmlElement> ParseXml(const std::string& text)
{
    if (text.size() > kMaxDocument)
        return std::nullopt;
    return Reader(text).document();
}

std::uint32_t CheckProfile(const std::string& xml, ProfileDocument& doc)
{
    auto root = ParseXml(xml);
    if (!root)
        return kReasonInvalidProfileSchema;
    std::string prefix;
    if (auto colon = root->name.find(':'); colon != std::string::npos)
        prefix = root->name.substr(0, colon);
    auto ns = root->attribute(prefix.empty() ? "xmlns" : "xmlns:" + prefix);
    if (LocalName(root->name) != "WLANProfile" || !ns || *ns != kProfileNamespace)
        return kReasonInvalidProfileSchema;
    doc.name = root->childText("name");
    if (doc.name.empty() || !root->child("name"))
        return kReasonInvalidProfileName;
    const XmlElement* ssidConfig = root->child("SSIDConfig");
    const XmlElement* ssid = ssidConfig ? ssidConfig->child("SSID") : nullptr;
    if (!ssid || !ssid->child("name"))
        return kReasonProfileSsidInvalid;
    doc.ssid = ssid->childText("name");
    if (doc.ssid.size() > 32)
        return kReasonProfileSsidInvalid;
    doc.connectionType = Trim(root->childText("connectionType"));
    if (doc.connectionType != "ESS" && doc.connectionType != "IBSS")
        return kReasonInvalidProfileType;
    const XmlElement* msm = root->child("MSM");
    const XmlElement* security = msm ? msm->child("security") : nullptr;
    const XmlElement* authEncryption = security ? security->child("authEncryption") : nullptr;
    if (!authEncryption || !authEncryption->child("authentication") ||
        !authEncryption->child("encryption"))
        return kReasonMsmSecurityMissing;
    doc.authentication = Trim(authEncryption->childText("authentication"));
    doc.encryption = Trim(authEncryption->childText("encryption"));
    std::string oneX = Trim(authEncryption->childText("useOneX"));
    if (oneX != "" && oneX != "true" && oneX != "false")
        return kReasonMsmSecurityMissing;
    doc.oneX = oneX == "true";
    auto auth = Lookup(kAuthentications, doc.authentication);
    auto cipher = Lookup(kEncryptions, doc.encryption);
    if (!auth || !cipher)
        return kReasonMsmSecurityMissing;
    doc.authAlgorithm = *auth;
    doc.cipherAlgorithm = *cipher;
    if (const XmlElement* key = security->child("sharedKey"))
    {
        doc.hasSharedKey = true;
        doc.keyType = Trim(key->childText("keyType"));
        std::string prot = Trim(key->childText("protected"));
        doc.keyProtected = prot == "true";
        doc.keyMaterial = key->childText("keyMaterial");
        if ((doc.keyType != "networkKey" && doc.keyType != "passPhrase") ||
            (prot != "true" && prot != "false") || !key->child("keyMaterial"))
            return kReasonMsmSecurityMissing;
    }
    return 0;
}

} // namespace machine::wlan
