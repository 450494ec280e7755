// Drawing the map picture of a run as SVG: the world seen from above, north up,
// scaled to about a thousand pixels across the ground the run covered.
#include "scenarios/json_line.h"
#include "scenarios/run_map.h"
#include "world/places/geography_data.h"
#include "world/screen/blips.h"
#include "world/places/station_clerks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace sim {
namespace {

constexpr float pictureWidth = 1000.0f;
constexpr float headerHeight = 44.0f;
constexpr float legendHeight = 96.0f;
constexpr float insetSize = 340.0f;

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

// Text for XML: valid UTF-8 with the five special characters escaped.
std::string xmlText(const std::string& text) {
    std::string escaped;
    for (char c : asUtf8(text)) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            // Control characters other than tab and line ends have no place in XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
                escaped += c;
        }
    }
    return escaped;
}

std::string elapsedText(std::uint64_t ms) {
    const std::uint64_t seconds = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

std::string clockText(int minutes) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", (minutes / 60) % 24, minutes % 60);
    return text;
}

std::string townName(const std::string& zone) {
    static const std::map<std::string, std::string> names = {
        {"stdenis", "Saint Denis"}, {"vanhorn", "Van Horn"}, {"butcher", "Butcher Creek"}, {"emerald", "Emerald Ranch"}};
    auto found = names.find(zone);
    if (found != names.end())
        return found->second;
    std::string name = zone;
    if (!name.empty())
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

// The ground the picture shows, in metres, and the pixels of a metre.
struct Frame {
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    float scale = 1;
    float left = 0, top = headerHeight; // where the ground's north-west corner lies in the picture

    void include(float x, float y, float margin = 0) {
        minX = std::min(minX, x - margin);
        maxX = std::max(maxX, x + margin);
        minY = std::min(minY, y - margin);
        maxY = std::max(maxY, y + margin);
    }
    bool contains(float x, float y, float margin = 0) const {
        return x >= minX - margin && x <= maxX + margin && y >= minY - margin && y <= maxY + margin;
    }
    // North is up: the picture's y grows southwards.
    float px(float x) const { return left + (x - minX) * scale; }
    float py(float y) const { return top + (maxY - y) * scale; }
    std::string at(float x, float y) const { return number(px(x)) + "," + number(py(y)); }
    float width() const { return (maxX - minX) * scale; }
    float height() const { return (maxY - minY) * scale; }
};

Frame frameFor(const RunMap& map) {
    Frame frame;
    frame.minX = frame.minY = std::numeric_limits<float>::max();
    frame.maxX = frame.maxY = std::numeric_limits<float>::lowest();
    for (const RunMap::PathPoint& point : map.path())
        frame.include(point.x, point.y);
    for (const RunMap::Contract& contract : map.contracts()) {
        frame.include(contract.blipCoords.x, contract.blipCoords.y, contract.blipRadius);
        frame.include(contract.coords.x, contract.coords.y);
    }
    for (const auto& [id, ped] : map.peds())
        frame.include(ped.last.x, ped.last.y);
    if (frame.minX > frame.maxX) // nothing was recorded
        frame.include(0, 0);
    // Some room around it, at least a few hundred metres across, and neither
    // much taller nor much wider than square.
    float width = frame.maxX - frame.minX, height = frame.maxY - frame.minY;
    const float margin = std::max(60.0f, 0.12f * std::max(width, height));
    frame.include(frame.minX, frame.minY, margin);
    frame.include(frame.maxX, frame.maxY, margin);
    width = frame.maxX - frame.minX;
    height = frame.maxY - frame.minY;
    const float wanted = std::max({300.0f, width, height * 0.6f});
    const float wantedHeight = std::max({300.0f, height, width * 0.6f});
    frame.include((frame.minX + frame.maxX) / 2 - wanted / 2, (frame.minY + frame.maxY) / 2 - wantedHeight / 2);
    frame.include((frame.minX + frame.maxX) / 2 + wanted / 2, (frame.minY + frame.maxY) / 2 + wantedHeight / 2);
    frame.scale = pictureWidth / (frame.maxX - frame.minX);
    return frame;
}

// A round number of metres that is about a fifth of the picture's width.
float scaleBarMetres(const Frame& frame) {
    const float target = (frame.maxX - frame.minX) / 5;
    float bar = 10;
    for (float step : {10.0f, 20.0f, 50.0f, 100.0f, 200.0f, 500.0f, 1000.0f, 2000.0f, 5000.0f})
        if (step <= target)
            bar = step;
    return bar;
}

// The spacing of the time marks: a round span giving at most a dozen marks.
std::uint64_t markSpacingMs(std::uint64_t totalMs) {
    for (std::uint64_t step : {10'000ull, 30'000ull, 60'000ull, 120'000ull, 300'000ull, 600'000ull, 1'800'000ull})
        if (totalMs / step <= 12)
            return step;
    return 3'600'000ull;
}

class SvgWriter {
public:
    explicit SvgWriter(const Frame& frame) : frame_(frame) {}

    void polyline(const std::vector<std::pair<float, float>>& points, const std::string& attributes) {
        if (points.size() < 2)
            return;
        out_ << "<polyline points=\"";
        for (std::size_t i = 0; i < points.size(); ++i)
            out_ << (i ? " " : "") << frame_.at(points[i].first, points[i].second);
        out_ << "\" " << attributes << "/>\n";
    }
    void circle(float x, float y, float radiusPixels, const std::string& attributes) {
        out_ << "<circle cx=\"" << number(frame_.px(x)) << "\" cy=\"" << number(frame_.py(y)) << "\" r=\""
             << number(radiusPixels) << "\" " << attributes << "/>\n";
    }
    void cross(float x, float y, float size, const std::string& colour) {
        const float cx = frame_.px(x), cy = frame_.py(y);
        out_ << "<path d=\"M" << number(cx - size) << "," << number(cy - size) << " L" << number(cx + size) << ","
             << number(cy + size) << " M" << number(cx - size) << "," << number(cy + size) << " L"
             << number(cx + size) << "," << number(cy - size) << "\" stroke=\"" << colour
             << "\" stroke-width=\"2.5\" fill=\"none\"/>\n";
    }
    void square(float x, float y, float size, const std::string& attributes) {
        out_ << "<rect x=\"" << number(frame_.px(x) - size) << "\" y=\"" << number(frame_.py(y) - size)
             << "\" width=\"" << number(2 * size) << "\" height=\"" << number(2 * size) << "\" " << attributes
             << "/>\n";
    }
    void label(float x, float y, const std::string& text, const std::string& attributes, float dx = 6,
               float dy = -6) {
        out_ << "<text x=\"" << number(frame_.px(x) + dx) << "\" y=\"" << number(frame_.py(y) + dy) << "\" "
             << attributes << ">" << xmlText(text) << "</text>\n";
    }
    void raw(const std::string& text) { out_ << text; }
    std::string text() const { return out_.str(); }

private:
    const Frame& frame_;
    std::ostringstream out_;
};

const char* labelStyle = "font-family=\"sans-serif\" font-size=\"12\" fill=\"#222\"";
const char* smallLabelStyle = "font-family=\"sans-serif\" font-size=\"10\" fill=\"#333\"";

void drawSurroundings(SvgWriter& svg, const Frame& frame) {
    const GeographyData& data = geographyData();
    const float reach = std::max(frame.maxX - frame.minX, frame.maxY - frame.minY);
    svg.raw("<g id=\"surroundings\">\n");
    for (const TownZoneRow& town : data.towns) {
        bool near = false;
        for (const Disc& disc : town.discs)
            near = near || frame.contains(disc.x, disc.y, disc.radius);
        if (!near)
            continue;
        for (const Disc& disc : town.discs)
            svg.circle(disc.x, disc.y, disc.radius * frame.scale, "fill=\"#e3d6b4\" stroke=\"#b9a57a\"");
        const Disc& centre = town.discs.front();
        svg.label(centre.x, centre.y, townName(town.zoneName),
                  "font-family=\"serif\" font-size=\"16\" font-weight=\"bold\" fill=\"#6b5632\" text-anchor=\"middle\"",
                  0, 5);
    }
    for (const Polyline& road : data.roads) {
        std::vector<std::pair<float, float>> points;
        bool near = false;
        for (const PlanePoint& point : road) {
            points.emplace_back(point.x, point.y);
            near = near || frame.contains(point.x, point.y, reach);
        }
        if (near)
            svg.polyline(points, "fill=\"none\" stroke=\"#c4ab7c\" stroke-width=\"3\"");
    }
    for (const Polyline& rails : data.railway) {
        std::vector<std::pair<float, float>> points;
        bool near = false;
        for (const PlanePoint& point : rails) {
            points.emplace_back(point.x, point.y);
            near = near || frame.contains(point.x, point.y, reach);
        }
        if (near)
            svg.polyline(points, "fill=\"none\" stroke=\"#555\" stroke-width=\"2\" stroke-dasharray=\"8 4\"");
    }
    for (const drovil::Vector3& station : StationClerks::stationPositions()) {
        if (!frame.contains(station.x, station.y, 20))
            continue;
        svg.square(station.x, station.y, 6, "fill=\"#444\" stroke=\"#fff\"");
        svg.label(station.x, station.y, "station", labelStyle, 9, 4);
    }
    svg.raw("</g>\n");
}

void drawContracts(SvgWriter& svg, const Frame& frame, const RunMap& map) {
    svg.raw("<g id=\"contracts\">\n");
    for (const RunMap::Contract& contract : map.contracts()) {
        if (contract.missionAreaRadius > 0)
            svg.circle(contract.coords.x, contract.coords.y, contract.missionAreaRadius * frame.scale,
                       "fill=\"none\" stroke=\"#c77a1a\" stroke-width=\"1.5\" stroke-dasharray=\"2 5\"");
        if (contract.blipRadius > 0) {
            svg.circle(contract.blipCoords.x, contract.blipCoords.y, contract.blipRadius * frame.scale,
                       "fill=\"#c0392b\" fill-opacity=\"0.12\" stroke=\"#c0392b\" stroke-width=\"2\" "
                       "stroke-dasharray=\"10 5\"");
            svg.label(contract.blipCoords.x, contract.blipCoords.y + contract.blipRadius,
                      "search area: contract " + std::to_string(contract.id) + ", " + contract.setting + ", $" +
                          std::to_string(contract.bounty),
                      "font-family=\"sans-serif\" font-size=\"12\" fill=\"#8e2418\" text-anchor=\"middle\"", 0, -4);
        }
        svg.square(contract.coords.x, contract.coords.y, 4, "fill=\"none\" stroke=\"#8e2418\" stroke-width=\"2\"");
    }
    svg.raw("</g>\n");
}

void drawBlips(SvgWriter& svg, const Frame& frame, const RunMap& map) {
    svg.raw("<g id=\"blips\">\n");
    for (const auto& [id, blip] : map.blips()) {
        const std::string when = elapsedText(blip.firstMs) + " to " + elapsedText(blip.lastMs);
        const std::string name = blip.name.empty() ? "blip " + std::to_string(id) : blip.name;
        svg.raw("<g><title>" + xmlText(name + ", on the map " + when) + "</title>\n");
        if (blip.kind == static_cast<int>(BlipKind::Radius) && blip.radius > 0) {
            svg.circle(blip.position.x, blip.position.y, blip.radius * frame.scale,
                       "fill=\"none\" stroke=\"#7d3c98\" stroke-width=\"1\"");
        } else if (blip.kind == static_cast<int>(BlipKind::Entity)) {
            // A ring round the one it marks, where it was last seen.
            svg.circle(blip.position.x, blip.position.y, 9, "fill=\"none\" stroke=\"#7d3c98\" stroke-width=\"1.5\"");
        } else {
            const float x = frame.px(blip.position.x), y = frame.py(blip.position.y);
            svg.raw("<path d=\"M" + number(x) + "," + number(y - 7) + " L" + number(x + 7) + "," + number(y) + " L" +
                    number(x) + "," + number(y + 7) + " L" + number(x - 7) + "," + number(y) +
                    " Z\" fill=\"none\" stroke=\"#7d3c98\" stroke-width=\"1.5\"/>\n");
        }
        if (!blip.name.empty() && blip.kind != static_cast<int>(BlipKind::Radius))
            svg.label(blip.position.x, blip.position.y, blip.name,
                      "font-family=\"sans-serif\" font-size=\"10\" fill=\"#7d3c98\"", 11, 12);
        svg.raw("</g>\n");
    }
    svg.raw("</g>\n");
}

void drawPeople(SvgWriter& svg, const RunMap& map) {
    svg.raw("<g id=\"people\">\n");
    for (const auto& [id, ped] : map.peds()) {
        const std::string role = ped.target ? "target" : "guard";
        const std::string colour = ped.target ? "#c0392b" : "#2c3e50";
        const drovil::Vector3 at = ped.wentDown ? ped.downAt : ped.last;
        const std::string fate = ped.fate + (ped.wentDown ? " at " + elapsedText(ped.downMs) : "");
        svg.raw("<g><title>" + xmlText(role + " " + std::to_string(id) + ": " + fate) + "</title>\n");
        if (ped.fate == "dead") {
            svg.cross(at.x, at.y, ped.target ? 7 : 5, colour);
        } else if (ped.wentDown) {
            svg.circle(at.x, at.y, ped.target ? 7 : 5, "fill=\"#fff\" stroke=\"" + colour + "\" stroke-width=\"2\"");
        } else {
            svg.circle(at.x, at.y, ped.target ? 7 : 4, "fill=\"" + colour + "\" stroke=\"#fff\"");
        }
        if (ped.target)
            svg.label(at.x, at.y, "target, " + fate, "font-family=\"sans-serif\" font-size=\"12\" "
                                                     "font-weight=\"bold\" fill=\"#8e2418\"", 9, -8);
        else if (ped.fate != "alive")
            svg.label(at.x, at.y, ped.fate, smallLabelStyle, 7, 12);
        svg.raw("</g>\n");
    }
    svg.raw("</g>\n");
}

void drawPath(SvgWriter& svg, const RunMap& map, std::uint64_t spacing) {
    const auto& path = map.path();
    if (path.empty())
        return;
    std::vector<std::pair<float, float>> points;
    for (const RunMap::PathPoint& point : path)
        points.emplace_back(point.x, point.y);
    svg.raw("<g id=\"player\">\n");
    if (points.size() >= 2)
        svg.polyline(points, "id=\"player-path\" fill=\"none\" stroke=\"#1f4e9c\" stroke-width=\"2.5\" "
                             "stroke-linejoin=\"round\"");
    // Marks of the game time along the path.
    std::uint64_t next = spacing;
    for (const RunMap::PathPoint& point : path) {
        if (point.ms < next)
            continue;
        next = (point.ms / spacing + 1) * spacing;
        svg.circle(point.x, point.y, 3.5, "fill=\"#1f4e9c\" stroke=\"#fff\"");
        svg.label(point.x, point.y, elapsedText(point.ms) + " (" + clockText(point.clockMinutes) + ")",
                  "font-family=\"sans-serif\" font-size=\"10\" fill=\"#1f4e9c\"", 6, 12);
    }
    for (const RunMap::StageMark& mark : map.stageMarks()) {
        svg.circle(mark.at.x, mark.at.y, 5, "fill=\"#f1c40f\" stroke=\"#000\"");
        const std::string stage = mark.stage == "no mission" ? std::string("contract over") : mark.stage;
        svg.label(mark.at.x, mark.at.y, stage + " " + elapsedText(mark.at.ms), labelStyle, 8, -8);
    }
    svg.circle(path.front().x, path.front().y, 6, "fill=\"#27ae60\" stroke=\"#000\"");
    svg.label(path.front().x, path.front().y, "start " + clockText(path.front().clockMinutes), labelStyle, 8, -8);
    svg.square(path.back().x, path.back().y, 5, "fill=\"#000\"");
    svg.label(path.back().x, path.back().y, "end " + elapsedText(path.back().ms) + " (" +
                                                clockText(path.back().clockMinutes) + ")",
              labelStyle, 8, 14);
    svg.raw("</g>\n");
}

std::string spanText(std::uint64_t ms) {
    if (ms < 60'000)
        return std::to_string(ms / 1000) + " s";
    const std::uint64_t minutes = ms / 60'000;
    return minutes == 1 ? std::string("minute") : std::to_string(minutes) + " minutes";
}

void drawLegend(SvgWriter& svg, float mapBottom, const Frame& frame, std::uint64_t markSpacing) {
    const float top = mapBottom + 12;
    const float bar = scaleBarMetres(frame) * frame.scale;
    std::ostringstream out;
    out << "<g id=\"legend\" font-family=\"sans-serif\" font-size=\"12\" fill=\"#222\">\n"
        << "<line x1=\"20\" y1=\"" << number(top + 10) << "\" x2=\"" << number(20 + bar) << "\" y2=\""
        << number(top + 10) << "\" stroke=\"#000\" stroke-width=\"3\"/>\n"
        << "<text x=\"" << number(28 + bar) << "\" y=\"" << number(top + 14) << "\">"
        << static_cast<int>(scaleBarMetres(frame)) << " m</text>\n"
        << "<text x=\"20\" y=\"" << number(top + 38)
        << "\">blue: the player's path, a dot every " << spanText(markSpacing)
        << " of game time (time since the start, time of day); yellow: the contract's stage changes</text>\n"
        << "<text x=\"20\" y=\"" << number(top + 56)
        << "\">red: the search area (dashed) and the target; orange dots: the mission area; dark: his gang; "
        << "a cross: dead, a ring: down but alive</text>\n"
        << "<text x=\"20\" y=\"" << number(top + 74)
        << "\">purple: blips the map showed; towns, roads, the railway (dashed) and stations around</text>\n"
        << "</g>\n";
    svg.raw(out.str());
}

// Everything on the ground, clipped to the frame's own rectangle.
void drawGround(SvgWriter& svg, const Frame& frame, const RunMap& map, std::uint64_t spacing, const std::string& clip) {
    svg.raw("<clipPath id=\"" + clip + "\"><rect x=\"" + number(frame.left) + "\" y=\"" + number(frame.top) +
            "\" width=\"" + number(frame.width()) + "\" height=\"" + number(frame.height()) + "\"/></clipPath>\n");
    svg.raw("<g clip-path=\"url(#" + clip + ")\">\n");
    svg.raw("<rect x=\"" + number(frame.left) + "\" y=\"" + number(frame.top) + "\" width=\"" +
            number(frame.width()) + "\" height=\"" + number(frame.height()) + "\" fill=\"#f6f1e3\"/>\n");
    drawSurroundings(svg, frame);
    drawContracts(svg, frame, map);
    drawBlips(svg, frame, map);
    drawPath(svg, map, spacing);
    drawPeople(svg, map);
    svg.raw("</g>\n");
}

// The frame of a detail of the last contract's scene (its target, his gang and
// the spot they were placed at); false when the whole map shows it well enough.
bool detailFrame(const RunMap& map, const Frame& frame, Frame& detail) {
    if (map.contracts().empty())
        return false;
    const RunMap::Contract& contract = map.contracts().back();
    detail.minX = detail.maxX = contract.coords.x;
    detail.minY = detail.maxY = contract.coords.y;
    for (const auto& [id, ped] : map.peds()) {
        detail.include(ped.first.x, ped.first.y);
        detail.include(ped.last.x, ped.last.y);
    }
    if (map.peds().empty())
        detail.include(contract.blipCoords.x, contract.blipCoords.y, contract.blipRadius);
    const float centreX = (detail.minX + detail.maxX) / 2, centreY = (detail.minY + detail.maxY) / 2;
    const float half =
        std::max({(detail.maxX - detail.minX) / 2 + 25.0f, (detail.maxY - detail.minY) / 2 + 25.0f, 40.0f});
    if (2 * half * frame.scale >= insetSize * 0.6f)
        return false;
    detail.minX = centreX - half;
    detail.maxX = centreX + half;
    detail.minY = centreY - half;
    detail.maxY = centreY + half;
    detail.scale = insetSize / (2 * half);
    // Beside the map, at its top.
    detail.left = pictureWidth + 12;
    detail.top = headerHeight + 12;
    return true;
}

void drawDetail(SvgWriter& svg, const Frame& frame, const Frame& detail, const RunMap& map, std::uint64_t spacing) {
    // Where the detail lies on the map.
    svg.raw("<rect x=\"" + number(frame.px(detail.minX)) + "\" y=\"" + number(frame.py(detail.maxY)) +
            "\" width=\"" + number((detail.maxX - detail.minX) * frame.scale) + "\" height=\"" +
            number((detail.maxY - detail.minY) * frame.scale) +
            "\" fill=\"none\" stroke=\"#3b3326\" stroke-width=\"1\"/>\n");
    SvgWriter inset(detail);
    inset.raw("<g id=\"detail\">\n");
    drawGround(inset, detail, map, spacing, "detail-area");
    inset.raw("<rect x=\"" + number(detail.left) + "\" y=\"" + number(detail.top) + "\" width=\"" +
              number(insetSize) + "\" height=\"" + number(insetSize) +
              "\" fill=\"none\" stroke=\"#3b3326\" stroke-width=\"2\"/>\n");
    const float bar = scaleBarMetres(detail) * detail.scale;
    const float barY = detail.top + insetSize - 12;
    inset.raw("<line x1=\"" + number(detail.left + 10) + "\" y1=\"" + number(barY) + "\" x2=\"" +
              number(detail.left + 10 + bar) + "\" y2=\"" + number(barY) + "\" stroke=\"#000\" stroke-width=\"3\"/>\n");
    inset.raw("<text x=\"" + number(detail.left + 16 + bar) + "\" y=\"" + number(barY + 4) +
              "\" font-family=\"sans-serif\" font-size=\"11\">" +
              std::to_string(static_cast<int>(scaleBarMetres(detail))) + " m</text>\n");
    inset.raw("<text x=\"" + number(detail.left) + "\" y=\"" + number(detail.top + insetSize + 18) +
              "\" font-family=\"serif\" font-size=\"14\" font-weight=\"bold\" fill=\"#3b3326\">the scene of "
              "contract " + std::to_string(map.contracts().back().id) + ", closer</text>\n");
    inset.raw("</g>\n");
    svg.raw(inset.text());
}

} // namespace

std::string RunMap::svg() const {
    const Frame frame = frameFor(*this);
    Frame detail;
    const bool withDetail = detailFrame(*this, frame, detail);
    const float width = withDetail ? pictureWidth + insetSize + 24 : pictureWidth;
    const float mapHeight = std::max(frame.height(), withDetail ? insetSize + 40 : 0.0f);
    const float height = headerHeight + mapHeight + legendHeight;
    const std::uint64_t spacing = markSpacingMs(path_.empty() ? 0 : path_.back().ms);
    SvgWriter svg(frame);
    svg.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg.raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + "\" height=\"" +
            number(height) + "\" viewBox=\"0 0 " + number(width) + " " + number(height) + "\">\n");
    svg.raw("<title>" + xmlText(title_) + "</title>\n");
    svg.raw("<rect x=\"0\" y=\"0\" width=\"" + number(width) + "\" height=\"" + number(height) +
            "\" fill=\"#fbf8ef\"/>\n");
    svg.raw("<g id=\"map\">\n");
    drawGround(svg, frame, *this, spacing, "map-area");
    svg.raw("</g>\n");
    if (withDetail)
        drawDetail(svg, frame, detail, *this, spacing);
    svg.raw("<rect x=\"0\" y=\"0\" width=\"" + number(width) + "\" height=\"" + number(headerHeight) +
            "\" fill=\"#3b3326\"/>\n");
    svg.raw("<text x=\"16\" y=\"28\" font-family=\"serif\" font-size=\"20\" fill=\"#f6f1e3\">" + xmlText(title_) +
            ", " + elapsedText(endMs_) + " of game time</text>\n");
    drawLegend(svg, headerHeight + mapHeight, frame, spacing);
    svg.raw("</svg>\n");
    return svg.text();
}

} // namespace sim
