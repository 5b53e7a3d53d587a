#include "icon_svg.h"

#include "tank_icon.h"

#include <cstdio>

namespace tank_pictures {

namespace {

std::string hex(Rgb c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", toByte(c.r), toByte(c.g), toByte(c.b));
    return buf;
}

std::string num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

} // namespace

std::string iconSvg()
{
    const Scheme s = iconScheme();
    const LyingTank t = iconTank(0.9);
    const double top = t.cy - t.ry, bottom = t.cy + t.ry, left = t.x0 - t.endRx, right = t.x1 + t.endRx;
    auto stop = [&](double offset, Rgb base, const Finish& f) {
        return "<stop offset=\"" + num(offset) + "\" stop-color=\"" + hex(shade(base, lyingNormal(offset * 2 - 1), f)) +
               "\"/>";
    };
    auto gradient = [&](const std::string& id, Rgb base, const Finish& f) {
        std::string g = "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + num(top) +
                        "\" x2=\"0\" y2=\"" + num(bottom) + "\">";
        for (double o : {0.0, 0.1, 0.2, 0.3, 0.45, 0.6, 0.75, 0.9, 1.0})
            g += stop(o, base, f);
        return g + "</linearGradient>\n";
    };
    const std::string stroke = "stroke=\"" + hex(s.outline) + "\" stroke-width=\"" + num(t.outline) + "\"";
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out +=
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"128\" height=\"128\" viewBox=\"0 0 32 32\">\n";
    out += "<defs>\n";
    out += gradient("shell", s.shell, s.shellFinish);
    out += gradient("product", s.product, s.productFinish);
    out += "<clipPath id=\"body\"><rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left) +
           "\" height=\"" + num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) +
           "\"/></clipPath>\n";
    out += "</defs>\n";
    for (double sx : t.saddles) {
        const double w = t.saddleHalfWidth;
        out += "<path d=\"M" + num(sx - w * 0.7) + " " + num(t.cy) + "H" + num(sx + w * 0.7) + "V" +
               num(t.groundY - 1.5) + "H" + num(sx + w) + "V" + num(t.groundY) + "H" + num(sx - w) + "V" +
               num(t.groundY - 1.5) + "H" + num(sx - w * 0.7) + "Z\" fill=\"" + hex(s.support) + "\" " + stroke +
               " stroke-linejoin=\"round\"/>\n";
    }
    const double mTop = top - t.manwayHeight;
    out += "<rect x=\"" + num(t.manwayX - t.manwayHalfWidth) + "\" y=\"" + num(mTop) + "\" width=\"" +
           num(2 * t.manwayHalfWidth) + "\" height=\"" + num(t.manwayHeight + 1) + "\" fill=\"" +
           hex(shade(s.shell, standingNormal(-0.3), s.shellFinish)) + "\" " + stroke + "/>\n";
    out += "<ellipse cx=\"" + num(t.manwayX) + "\" cy=\"" + num(mTop) + "\" rx=\"" + num(t.manwayHalfWidth) +
           "\" ry=\"" + num(t.manwayHalfWidth * 0.35) + "\" fill=\"" + hex(shade(s.shell, kUp, s.shellFinish)) + "\" " +
           stroke + "/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left) + "\" height=\"" +
           num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) + "\" fill=\"url(#shell)\"/>\n";
    out += "<g clip-path=\"url(#body)\">\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level) + "\" width=\"" + num(right - left) + "\" height=\"" +
           num(bottom - t.level) + "\" fill=\"url(#product)\"/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level - 0.66) + "\" width=\"" + num(right - left) +
           "\" height=\"0.66\" fill=\"" + hex(s.outline) + "\" fill-opacity=\"0.45\"/>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(t.level) + "\" width=\"" + num(right - left) +
           "\" height=\"1.2\" fill=\"" + hex(s.surface) + "\" fill-opacity=\"0.85\"/>\n";
    out += "</g>\n";
    out += "<rect x=\"" + num(left) + "\" y=\"" + num(top) + "\" width=\"" + num(right - left) + "\" height=\"" +
           num(bottom - top) + "\" rx=\"" + num(t.endRx) + "\" ry=\"" + num(t.ry) + "\" fill=\"none\" " + stroke +
           "/>\n";
    out += "</svg>\n";
    return out;
}

} // namespace tank_pictures
