#pragma once

// The fictional place of origin, factory address, telephone number and web
// address that the sample labels print, chosen once here. The custom label's
// two QR addresses live here too so that every address Kestrel prints is in
// one place.
#define KESTREL_CITY_ZH "岚港"
#define KESTREL_CITY_EN "Langang"
#define KESTREL_STREET_ZH "岚港市青石路88号"
#define KESTREL_STREET_EN "88 Qingshi Road, Langang"
#define KESTREL_TELEPHONE "400-555-0100"
#define KESTREL_WEB_ADDRESS "www.tarnwick.example"

namespace kestrel {

inline constexpr const char kOriginLine[] = "产地：" KESTREL_CITY_ZH;
inline constexpr const char kAddressLine[] = "厂址：" KESTREL_STREET_ZH;
inline constexpr const char kTelephoneLine[] = "电话:" KESTREL_TELEPHONE;
inline constexpr const char kWebLine[] = "网站:" KESTREL_WEB_ADDRESS;
// The QR codes of the shipping and outbound labels carry the web address as
// plain ASCII.
inline constexpr const char kWebAddress[] = KESTREL_WEB_ADDRESS;

inline constexpr const char kCustomQrAddress1[] = "tarnwick.example/a";
inline constexpr const char kCustomQrAddress2[] = "tarnwick.example/b";

}  // namespace kestrel
