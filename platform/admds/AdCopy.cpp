#include "AdCopy.h"

namespace admds {

namespace {

// Chinese lines stay within nine characters so that the 180-pixel text line holds the product
// name and the whole tagline.
const TAdTagline kTaglines[kTaglineCount] = {
    {L"网络连接监控", L"Every connection in view"},
    {L"异常主机一键断开", L"Cut off a flooding host"},
    {L"自动检查，定时恢复", L"Auto check, timed restore"},
    {L"华为、Cisco 通用", L"Speaks Huawei and Cisco"},
    {L"NAT 会话实时统计", L"Live NAT session counts"},
    {L"出口路由器好帮手", L"Your router's best friend"},
};

const TAdTheme kThemes[kThemeCount] = {
    {RGB(12, 74, 140), RGB(38, 150, 220)},    // harbour blue
    {RGB(0, 96, 100), RGB(30, 168, 148)},     // teal
    {RGB(50, 56, 150), RGB(112, 98, 212)},    // indigo
};

}  // namespace

const TAdTagline& TaglineOf(const TAdVariant& variant) noexcept {
    return kTaglines[variant.Tagline % kTaglineCount];
}

const TAdTheme& ThemeOf(const TAdVariant& variant) noexcept {
    return kThemes[variant.Theme % kThemeCount];
}

}  // namespace admds
