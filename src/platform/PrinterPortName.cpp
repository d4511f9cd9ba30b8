#include "platform/Spooler.h"

#include <cctype>
#include <cstdio>
#include <iterator>
#include <set>

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

std::string schemeOf(const std::string& uri) {
    auto colon = uri.find(':');
    if (colon == std::string::npos) return {};
    return lowerAscii(uri.substr(0, colon));
}

// The maker is the host part of a usb URI, percent-escapes undone.
std::string usbMakerOf(const std::string& uri) {
    auto start = uri.find("://");
    if (start == std::string::npos) return {};
    start += 3;
    auto end = uri.find_first_of("/?", start);
    std::string raw = uri.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size() && std::isxdigit(static_cast<unsigned char>(raw[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(raw[i + 2]))) {
            out += static_cast<char>(std::stoi(raw.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += raw[i];
        }
    }
    return out;
}

enum class Kind { GccUsb, Usb, Serial, Other };

Kind kindOf(const std::string& uri) {
    std::string scheme = schemeOf(uri);
    if (scheme == "usb") return equalsNoCase(usbMakerOf(uri), "GCC") ? Kind::GccUsb : Kind::Usb;
    if (scheme == "serial") return Kind::Serial;
    return Kind::Other;
}

int placeAmong(const std::string& uri, const std::vector<std::string>& all, Kind kind) {
    std::set<std::string> same;
    for (const auto& u : all)
        if (kindOf(u) == kind) same.insert(u);
    same.insert(uri);
    return static_cast<int>(std::distance(same.begin(), same.find(uri)));
}

}  // namespace

std::string printerPortName(const std::string& deviceUri, const std::vector<std::string>& allUris) {
    Kind kind = kindOf(deviceUri);
    char buf[32];
    switch (kind) {
        case Kind::GccUsb:
            std::snprintf(buf, sizeof buf, "GCCUSB%d", placeAmong(deviceUri, allUris, kind));
            return buf;
        case Kind::Usb:
            std::snprintf(buf, sizeof buf, "USB%03d", placeAmong(deviceUri, allUris, kind) + 1);
            return buf;
        case Kind::Serial:
            std::snprintf(buf, sizeof buf, "COM%d", placeAmong(deviceUri, allUris, kind) + 1);
            return buf;
        case Kind::Other:
            break;
    }
    return upperAscii(schemeOf(deviceUri)) + ":";
}

std::string serialDeviceOfUri(const std::string& deviceUri) {
    if (schemeOf(deviceUri) != "serial") return {};
    std::string rest = deviceUri.substr(deviceUri.find(':') + 1);
    if (rest.rfind("//", 0) == 0) rest.erase(0, 2);
    auto q = rest.find('?');
    return q == std::string::npos ? rest : rest.substr(0, q);
}

}  // namespace sartovin
