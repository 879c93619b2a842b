#include "map/CMapReader.h"

#include "framework/TextToNumber.h"
#include "framework/Utf8Mark.h"
#include "map/BrushGeometry.h"
#include "map/EntityKeys.h"
#include "map/MapFragment.h"
#include "map/MapHeader.h"
#include "map/TextureProjection.h"

#include <cmath>
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <variant>

namespace {

bool Equals(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

// True when `text` means the very number the writer writes for the field.
bool SameNumber(const char* text, int64_t written) {
    bool exact;
    int32_t value = ParseInt(text, exact);
    if (exact)
        return value == written;
    double number;
    return ParseWholeDouble(text, number) && number == static_cast<double>(written);
}

// A number key's text is kept for saving unless the field gives it back.
void KeepUnlessSame(CKeptTexts& kept, const char* key, const char* text, bool same) {
    if (!same)
        kept.Keep(key, text);
    else if (!kept.IsEmpty())
        kept.Forget(key);
}

bool IsKeptControlByte(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\r';
}

// Offsets are whole texels in 16 bits.
bool OffsetTextIsExact(const char* text) {
    bool exact;
    int32_t value = ParseInt(text, exact);
    if (exact)
        return value >= -32768 && value <= 32767;
    double number;
    return ParseWholeDouble(text, number) && number == std::trunc(number) && number >= -32768 &&
           number <= 32767;
}

// A plain decimal below 8 with at most six decimals ("0.5", "-1", "0.125")
// comes back from a float written with six decimals: the float lies within
// half a millionth of it.
bool IsShortDecimal(const char* text) {
    if (*text == '-')
        ++text;
    if (*text < '0' || *text > '7' || (text[1] >= '0' && text[1] <= '9'))
        return false;
    if (text[1] == '\0')
        return true;
    if (text[1] != '.')
        return false;
    int decimals = 0;
    for (const char* c = text + 2; *c; ++c, ++decimals) {
        if (*c < '0' || *c > '9' || decimals == 6)
            return false;
    }
    return decimals > 0;
}

// Rotation and scales are written with six decimals.
bool FloatTextIsExact(const char* text, float stored) {
    if (IsShortDecimal(text))
        return true;
    bool exact;
    int32_t value = ParseInt(text, exact);
    if (exact && value > -(1 << 24) && value < (1 << 24))
        return true;
    double number;
    if (!ParseWholeDouble(text, number))
        return false;
    char written[kFixedTextCapacity + 1];
    written[FormatFixed(stored, written)] = '\0';
    double writtenNumber;
    return ParseWholeDouble(written, writtenNumber) && writtenNumber == number;
}

// "x y z" split at blanks of any kind, each the same number as the field's.
bool SameTriple(const char* text, const IntPoint& point) {
    const int32_t components[3] = {point.x, point.y, point.z};
    std::string part;
    int count = 0;
    for (const char* c = text;; ++c) {
        if (*c != '\0' && static_cast<unsigned char>(*c) > ' ') {
            part.push_back(*c);
            continue;
        }
        if (!part.empty()) {
            if (count == 3 || !SameNumber(part.c_str(), components[count]))
                return false;
            ++count;
            part.clear();
        }
        if (*c == '\0')
            return count == 3;
    }
}

// "12", "-7", "0": a whole number spelled as the writer spells it, so that
// writing the number gives the text back ("-0", "+5" and "007" do not).
bool IsWrittenInteger(const char* text) {
    const char* digits = text + (*text == '-' ? 1 : 0);
    if (*digits < '0' || *digits > '9' || (*digits == '0' && (digits != text || digits[1])))
        return false;
    for (const char* c = digits; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
    }
    return true;
}

// The plane coordinates of most lines: a whole number as the writer writes
// it, of at most nine digits. Gives its value, the one ParseInt gives; false
// for any other text, which takes the general way.
bool ReadWrittenCoordinate(const char* text, int32_t& value) {
    const bool negative = *text == '-';
    const char* digits = text + (negative ? 1 : 0);
    if (*digits == '0') {
        value = 0;
        return !negative && digits[1] == '\0';
    }
    int32_t magnitude = 0;
    const char* c = digits;
    for (; *c >= '0' && *c <= '9' && c - digits < 9; ++c)
        magnitude = magnitude * 10 + (*c - '0');
    value = negative ? -magnitude : magnitude;
    return c != digits && *c == '\0';
}

bool IsWholeNumber(const char* text) {
    bool exact;
    ParseInt(text, exact);
    return exact;
}

// Plane points written with decimals within this range are read as written.
constexpr double kFractionalLimit = 2147483648.0;

bool IsQuake3BlockName(const char* token) {
    return Equals(token, "brushDef") || Equals(token, "brushDef3") || Equals(token, "patchDef2") ||
           Equals(token, "patchDef3");
}

// Room for `more` kept plane points at once, as a Valve brush keeps those of
// all its faces.
void ReserveReadPoints(CMapBrush& brush, size_t more) {
    if (more == 0)
        return;
    if (!brush.m_readPlanes)
        brush.m_readPlanes = std::make_unique<ReadPlanePoints>();
    brush.m_readPlanes->points.reserve(brush.m_readPlanes->points.size() + more);
}

// An open brush reaches as far as its base polygons do, beyond the world too.
const std::string kBeyondWorld = "Brush reaches further than " + std::to_string(kWorldExtent) +
                                 " units from the origin, or is open; it is kept as written but "
                                 "cannot be shown or edited\n";

constexpr const char* kLongTextureName =
    "Texture name is longer than 15 characters; it is shown shortened and saved as written\n";

std::string DescribeTrailingTokens(int count) {
    return "Face line has " + std::to_string(count) +
           (count == 1 ? " more value" : " more values") + " at its end than a Quake face line; " +
           (count == 1 ? "it is" : "they are") + " kept as written\n";
}

} // namespace

CMapReader::CMapReader(MapFragment& target, std::string_view text, CMapDiagnostics& diagnostics)
    : m_target(target), m_problemCount(diagnostics), m_diagnostics(m_problemCount),
      m_tokenizer(SkipUtf8Mark(text), m_problemCount), m_text(SkipUtf8Mark(text)),
      m_fileStart(text.data()) {
    m_target.utf8Mark = m_text.size() != text.size();
    if (text.size() >= kNoText)
        NoteWholeReason("it is too large to keep as it was");
}

void CMapReader::NoteWholeReason(const char* reason) {
    if (m_target.source.wholeReason.empty())
        m_target.source.wholeReason = reason;
}

// Where the text of the element whose last token was just read ends: past
// its line's end when nothing but blanks or a comment follows on the line,
// else right after the token.
uint32_t CMapReader::LineEndAfterToken() const {
    const std::string_view token = m_tokenizer.TokenSource();
    const char* end = m_text.data() + m_text.size();
    const char* c = token.data() + token.size();
    while (c != end && (*c == ' ' || *c == '\t' || *c == '\r'))
        ++c;
    if (end - c >= 2 && c[0] == '/' && c[1] == '/') {
        while (c != end && *c != '\n')
            ++c;
    }
    if (c == end)
        return Offset(c);
    if (*c == '\n')
        return Offset(c + 1);
    return Offset(token.data() + token.size());
}

void CMapReader::ReadMap() {
    while (m_tokenizer.GetToken(false)) {
        if (!m_tokenizer.TokenIs('{')) {
            m_diagnostics.Report(m_tokenizer.Line(), -1, "Error: { not found\n");
            continue;
        }
        ReadEntity();
    }
    Finish();
}

// The game and the form of the face lines are known once all is read. What
// is ordinary for another game is no problem of its map.
void CMapReader::Finish() {
    // Editors name the game a map is for in a comment at its top
    // ("// Game: Half-Life"); a Half-Life map reads like a Quake map otherwise.
    m_target.header = ReadMapHeader(m_text);
    MapGame game = FindGameInHeader(m_target.header);
    if (m_quake3Blocks > 0)
        game = MapGame::kQuake3;
    else if (m_quake2FaceLines > 0 && 2 * m_quake2FaceLines >= m_faceLines)
        game = MapGame::kQuake2;
    else if (m_hexen2FaceLines > 0 && 2 * m_hexen2FaceLines >= m_faceLines)
        game = MapGame::kHexen2;
    m_target.game = game;
    m_target.format =
        m_sawValveFace || m_sawValveVersion ? MapFormat::kValve : MapFormat::kStandard;
    m_target.statesMapVersion = m_target.format != MapFormat::kValve || m_sawValveVersion;
    m_target.source.trailingBegin = m_elementEnd;
    m_target.source.format = m_target.format;
    m_target.source.wad = m_target.wad;
    m_target.source.statesMapVersion = m_target.statesMapVersion;
    if (m_problemCount.m_problems > 0)
        NoteWholeReason("the map was read with problems");
    else if (!m_target.hasWorld)
        NoteWholeReason("the map had no world entity");
    if (game == MapGame::kQuake) {
        for (const DeferredProblem& problem : m_deferred)
            m_diagnostics.ReportKept(problem.line, -1,
                                     problem.trailing > 0 ? DescribeTrailingTokens(problem.trailing)
                                                          : kLongTextureName);
    }
    m_deferred.clear();
}

void CMapReader::ReadEntity() {
    const int braceLine = m_tokenizer.Line();
    m_pairs.clear();
    m_pairText.clear();
    m_brushes.clear();
    m_entitySpan = EntitySpan();
    m_entitySpan.begin = m_elementEnd;
    m_elementEnd = LineEndAfterToken();
    bool closed = false;
    while (!closed && m_tokenizer.GetToken(false)) {
        if (m_tokenizer.TokenIs('}')) {
            closed = true;
            m_entitySpan.tailBegin = m_elementEnd;
            m_elementEnd = LineEndAfterToken();
            m_entitySpan.end = m_elementEnd;
        } else if (m_tokenizer.TokenIs('{')) {
            ReadEntityBrush(m_entitySpan);
        } else {
            // A key line among brushes would go with the brush text around it.
            if (!m_brushes.empty())
                NoteWholeReason("an entity had keys after its brushes");
            AddPair();
            m_elementEnd = LineEndAfterToken();
        }
    }
    if (m_entitySpan.headEnd == kNoText)
        m_entitySpan.headEnd = m_entitySpan.tailBegin;
    // A file cut off between two lines reads as if it were whole but for this.
    if (!closed)
        m_diagnostics.Report(braceLine, -1, "Entity is not closed at the end of the file\n");
    StoreEntity();
}

// A brush's text runs from where the element before it ended, its comments
// included, to the line of its closing brace.
void CMapReader::ReadEntityBrush(EntitySpan& span) {
    if (span.headEnd == kNoText)
        span.headEnd = m_elementEnd;
    const uint32_t begin = m_elementEnd;
    const size_t count = m_brushes.size();
    ReadBrush();
    m_elementEnd = LineEndAfterToken();
    if (m_brushes.size() > count)
        m_brushes.back()->m_source = {begin, m_elementEnd};
}

void CMapReader::AddPair() {
    Pair pair;
    pair.line = m_tokenizer.Line();
    pair.key = static_cast<uint32_t>(m_pairText.size());
    m_pairText.append(m_tokenizer.Token()).push_back('\0');
    // At the end of the text the value is whatever the token still holds.
    m_tokenizer.GetToken(true);
    pair.value = static_cast<uint32_t>(m_pairText.size());
    m_pairText.append(m_tokenizer.Token()).push_back('\0');
    m_pairs.push_back(pair);
}

bool CMapReader::NextFaceToken(bool sameLine) {
    if (m_tokenizer.GetToken(sameLine))
        return true;
    m_faceCut = true;
    return false;
}

bool CMapReader::ReadSameLine() {
    return NextFaceToken(true);
}

void CMapReader::ReportInexactNumber(const char* text, int32_t readAs) {
    std::string message = "Number \"";
    message.append(text).append("\" is not a whole number within 32 bits; it is read as ");
    message.append(std::to_string(readAs)).append("\n");
    m_diagnostics.Report(m_tokenizer.Line(), -1, message);
}

bool CMapReader::ReadPoint(IntPoint& point, Vec3d& exact, FaceSource& source) {
    int32_t* coordinates[3] = {&point.x, &point.y, &point.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (!ReadSameLine())
            return false;
        const char* text = m_tokenizer.Token();
        if (ReadWrittenCoordinate(text, *coordinates[axis])) {
            exact[axis] = *coordinates[axis];
            continue;
        }
        bool whole;
        *coordinates[axis] = ParseInt(text, whole);
        exact[axis] = *coordinates[axis];
        if (whole) {
            if (source.planeAsWritten && !IsWrittenInteger(text))
                source.planeAsWritten = false;
            continue;
        }
        source.planeExact = false;
        source.planeAsWritten = false;
        // Other editors write decimals; the plane is what they say.
        double value;
        if (ParseWholeDouble(text, value) && std::fabs(value) < kFractionalLimit) {
            source.planeFractional = true;
            exact[axis] = value;
        } else {
            ReportInexactNumber(text, *coordinates[axis]);
        }
    }
    if (!ReadSameLine())
        return false;
    if (!m_tokenizer.TokenIs(')'))
        m_diagnostics.Report(m_tokenizer.Line(), -1, "parsing map file - missing )");
    return true;
}

// "inf", "nan" and numbers past the double range ("1e999") mean nothing to
// the compilers: such a number is a problem, and the field's own value, 0 or
// for a scale 1, is read and written in its place. False for those.
bool CMapReader::ReadFinite(double& number, double readAs) {
    if (std::isfinite(number))
        return true;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%g", readAs);
    std::string message = "Number \"";
    message.append(m_tokenizer.Token()).append("\" is not a finite number; it is read as ");
    message.append(shown).append("\n");
    m_diagnostics.Report(m_tokenizer.Line(), -1, message);
    number = readAs;
    return false;
}

void CMapReader::ReadFaceNumber(FaceDef& face, int index, FaceSource& source) {
    const char* text = m_tokenizer.Token();
    float* numbers[5] = {&face.xOffset, &face.yOffset, &face.rotation, &face.xScale, &face.yScale};
    float& number = *numbers[index];
    double value = ParseDouble(text);
    const bool finite = ReadFinite(value, index < 3 ? 0.0 : 1.0);
    number = NearestFloat(value);
    if (!finite)
        return;
    bool exact = index < 2 ? OffsetTextIsExact(text) : FloatTextIsExact(text, number);
    if (!exact)
        source.inexactNumbers |= static_cast<uint8_t>(1 << index);
}

// Reads the rest of a face line whose first token has been read. Returns false
// when the text ends inside it.
bool CMapReader::ReadFace(FaceDef& face, ValveAxes& axes, FaceSource& source) {
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (!NextFaceToken(false))
                return false;
            if (!m_tokenizer.TokenIs('('))
                m_diagnostics.Report(m_tokenizer.Line(), -1, "parsing map file - missing (\n");
        }
        if (!ReadPoint(face.points[i], face.exactPoints[i], source))
            return false;
    }
    face.hasFractionalPoints = source.planeFractional;
    if (!ReadSameLine())
        return false;
    const char* texture = m_tokenizer.Token();
    size_t length = std::strlen(texture);
    if (length > kMaxTextureName) {
        m_deferred.push_back({m_tokenizer.Line(), 0});
        length = kMaxTextureName;
        source.nameTooLong = true;
    }
    std::memcpy(face.texture, texture, length);
    face.texture[length] = '\0';
    if (!ReadSameLine())
        return false;
    const bool read = m_tokenizer.TokenIs('[') ? ReadValveTexture(face, axes, source)
                                               : ReadStandardTexture(face, source);
    if (read)
        ReadTrailingTokens(source);
    return read;
}

// "xoff yoff rotation xscale yscale", the first already read.
bool CMapReader::ReadStandardTexture(FaceDef& face, FaceSource& source) {
    ReadFaceNumber(face, 0, source);
    for (int n = 1; n < 5; ++n) {
        if (!ReadSameLine())
            return false;
        ReadFaceNumber(face, n, source);
    }
    return true;
}

// "[ ux uy uz uoffset ] [ vx vy vz voffset ] rotation xscale yscale", the
// first bracket already read. A number is exact when the writer would write
// the very same text for it.
bool CMapReader::ReadValveTexture(FaceDef& face, ValveAxes& axes, FaceSource& source) {
    source.valve = true;
    double* numbers[8] = {&axes.u.x, &axes.u.y, &axes.u.z, &axes.uOffset,
                          &axes.v.x, &axes.v.y, &axes.v.z, &axes.vOffset};
    int index = 0;
    for (int half = 0; half < 2; ++half) {
        if (half == 1 && !ReadBracket('['))
            return false;
        for (int k = 0; k < 4; ++k, ++index) {
            if (!ReadSameLine())
                return false;
            const bool shortest = IsShortestText(m_tokenizer.Token(), *numbers[index]);
            if (ReadFinite(*numbers[index], 0.0) && !shortest)
                source.inexactNumbers |= static_cast<uint16_t>(1 << index);
        }
        if (!ReadBracket(']'))
            return false;
    }
    float* floats[3] = {&face.rotation, &face.xScale, &face.yScale};
    for (int k = 0; k < 3; ++k, ++index) {
        if (!ReadSameLine())
            return false;
        const bool shortest = IsShortestText(m_tokenizer.Token(), *floats[k]);
        double wide = *floats[k];
        if (!ReadFinite(wide, k > 0 ? 1.0 : 0.0)) {
            *floats[k] = NearestFloat(wide);
            continue;
        }
        // A zero scale is taken as 1; the text keeps the 0.
        if (!shortest || (k > 0 && *floats[k] == 0.0f))
            source.inexactNumbers |= static_cast<uint16_t>(1 << index);
    }
    face.xOffset = NearestFloat(axes.uOffset);
    face.yOffset = NearestFloat(axes.vOffset);
    return true;
}

bool CMapReader::ReadBracket(char bracket) {
    if (!ReadSameLine())
        return false;
    if (!m_tokenizer.TokenIs(bracket))
        m_diagnostics.Report(m_tokenizer.Line(), -1,
                             bracket == '[' ? "parsing map file - missing [\n"
                                            : "parsing map file - missing ]\n");
    return true;
}

// Other games write more on a face line: Quake 2 three whole numbers, Hexen
// 2 one number. They are kept with the line.
void CMapReader::ReadTrailingTokens(FaceSource& source) {
    while (m_tokenizer.HasTrailingToken()) {
        m_tokenizer.GetToken(true);
        if (source.trailing < 255)
            ++source.trailing;
        if (!IsWholeNumber(m_tokenizer.Token()))
            source.trailingNumbers = false;
    }
    // Such a line is another game's: it is written back as it stands.
    if (source.trailing > 0) {
        source.planeExact = false;
        source.planeAsWritten = false;
        source.inexactNumbers = 0xFFFF;
    }
}

void CMapReader::CountFaceLine(const FaceSource& source) {
    ++m_faceLines;
    m_sawValveFace = m_sawValveFace || source.valve;
    if (source.trailing == 0)
        return;
    if (source.trailing == 3 && source.trailingNumbers)
        ++m_quake2FaceLines;
    else if (source.trailing == 1 && source.trailingNumbers)
        ++m_hexen2FaceLines;
    m_deferred.push_back({source.line, source.trailing});
}

// The tokens of a face line, found again only for the rare line that is kept.
std::vector<std::string_view> CMapReader::FaceTokens(const FaceSource& source) {
    class CQuiet : public CMapDiagnostics {
    public:
        void Report(int, int, std::string_view) override {}
    } quiet;
    CMapTokenizer tokenizer(source.text, quiet);
    std::vector<std::string_view> tokens;
    while (tokenizer.GetToken(false))
        tokens.push_back(tokenizer.TokenSource());
    return tokens;
}

// A token as it stood, so that reading it again gives the very same token:
// control bytes become the blanks they were read as, and a quoted token the
// end of the text cut off gets its closing quote.
void CMapReader::AppendToken(std::string& text, std::string_view token) {
    for (char c : token)
        text.push_back(IsKeptControlByte(c) ? ' ' : c);
    if (token.front() == '"' && (token.size() == 1 || token.back() != '"'))
        text.push_back('"');
}

std::string CMapReader::JoinTokens(const std::vector<std::string_view>& tokens, int first,
                                   int last) {
    std::string text;
    for (int t = first; t < last && t < static_cast<int>(tokens.size()); ++t) {
        if (t > first)
            text.push_back(' ');
        AppendToken(text, tokens[t]);
    }
    return text;
}

// The texture part of a face line: the numbers the fields hold exactly as the
// writer writes them (a zero standard scale already fixed to 1), the others,
// brackets and whatever follows the numbers as read.
std::string CMapReader::TextureText(const FaceSource& source, const BrushFace& face,
                                    const ValveAxes& axes) const {
    const std::vector<std::string_view> tokens = FaceTokens(source);
    std::string text;
    AppendToken(text, tokens.at(kPlaneTokens));
    const int16_t offsets[2] = {face.xOffset, face.yOffset};
    const double valveNumbers[8] = {axes.u.x, axes.u.y, axes.u.z, axes.uOffset,
                                    axes.v.x, axes.v.y, axes.v.z, axes.vOffset};
    const float floats[3] = {face.rotation, face.xScale, face.yScale};
    const int numberCount = source.valve ? 11 : 5;
    int n = 0;
    for (size_t t = kPlaneTokens + 1; t < tokens.size(); ++t) {
        text.push_back(' ');
        const std::string_view token = tokens[t];
        const bool bracket =
            source.valve && token.size() == 1 && (token[0] == '[' || token[0] == ']');
        if (bracket || n >= numberCount || (source.inexactNumbers & (1 << n))) {
            AppendToken(text, token);
        } else if (source.valve) {
            char digits[kShortestTextCapacity];
            text.append(digits, n < 8 ? FormatShortest(valveNumbers[n], digits)
                                      : FormatShortest(floats[n - 8], digits));
        } else if (n < 2) {
            text.append(std::to_string(offsets[n]));
        } else {
            char digits[kFixedTextCapacity];
            text.append(digits, FormatFixed(floats[n - 2], digits));
        }
        n += bracket ? 0 : 1;
    }
    return text;
}

// A brush the tables cannot hold, or that shows nothing, is kept as its face
// lines, in its place.
void CMapReader::KeepBrush(int braceLine, int faceLines, const char* message) {
    auto brush = std::make_unique<CMapBrush>();
    brush->m_keptText = std::make_unique<KeptBrushText>();
    std::string& lines = brush->m_keptText->unheldFaceLines;
    for (int i = 0; i < faceLines; ++i) {
        const std::vector<std::string_view> tokens = FaceTokens(m_faceSources[i]);
        lines.append("\t\t")
            .append(JoinTokens(tokens, 0, static_cast<int>(tokens.size())))
            .append("\n");
    }
    if (lines.empty())
        lines.push_back('\n'); // keeps the brush unheld even with no face line
    for (int i = 0; i < faceLines; ++i)
        brush->m_keptText->valveFaceLines |= m_faceSources[i].valve;
    m_diagnostics.ReportKept(braceLine, braceLine, message);
    m_brushes.push_back(std::move(brush));
}

// Quake 3 brushes and patches ("patchDef2 { ... }") are kept as written,
// whole, up to the brush's closing brace.
void CMapReader::KeepQuake3Block() {
    const char* begin = m_tokenizer.TokenSource().data();
    const char* end = begin + m_tokenizer.TokenSource().size();
    int depth = 0;
    while (m_tokenizer.GetToken(false)) {
        if (m_tokenizer.TokenIs('}') && depth-- == 0)
            break;
        if (m_tokenizer.TokenIs('{'))
            ++depth;
        const std::string_view token = m_tokenizer.TokenSource();
        end = token.data() + token.size();
    }
    auto brush = std::make_unique<CMapBrush>();
    brush->m_keptText = std::make_unique<KeptBrushText>();
    std::string& kept = brush->m_keptText->unheldFaceLines;
    for (const char* c = begin; c != end; ++c) {
        if (!(*c == '\r' && c + 1 != end && c[1] == '\n'))
            kept.push_back(*c); // the file's line ends are the writer's
    }
    kept.push_back('\n');
    m_brushes.push_back(std::move(brush));
    ++m_quake3Blocks;
}

// Face lines whose numbers the fields cannot hold exactly are saved as read.
void CMapReader::KeepFaceTexts(CMapBrush& brush, int faceLines, const int* builtFaceOfDef) const {
    size_t hidden = 0;
    for (int i = 0; i < faceLines; ++i) {
        const FaceSource& source = m_faceSources[i];
        const int built = builtFaceOfDef[i];
        if (built < 0) {
            if (brush.m_readPlanes && hidden < brush.m_readPlanes->hidden.size()) {
                const std::vector<std::string_view> tokens = FaceTokens(source);
                brush.m_readPlanes->hidden[hidden++].text =
                    JoinTokens(tokens, 0, static_cast<int>(tokens.size()));
            }
            continue;
        }
        // A Valve face line comes back as written; a standard one as long as
        // its points are whole numbers.
        if (source.valve ? !source.planeAsWritten : !source.planeExact) {
            if (!brush.m_readPlanes)
                brush.m_readPlanes = std::make_unique<ReadPlanePoints>();
            brush.m_readPlanes->planeTexts.push_back(
                {built, JoinTokens(FaceTokens(source), 0, kPlaneTokens)});
        }
        if (!source.TextureExact()) {
            if (!brush.m_keptText)
                brush.m_keptText = std::make_unique<KeptBrushText>();
            brush.m_keptText->textures.push_back(
                {built, TextureText(source, brush.m_faces[built], m_defAxes[i])});
        }
    }
}

// A brush with Valve faces keeps their axes, and the plane points they were
// written with; a standard face among them turns into the Valve face that
// shows the same texture, as the whole brush is saved in the Valve form.
void CMapReader::AttachValveAxes(CMapBrush& brush, int faceLines, const int* builtFaceOfDef) const {
    bool valve = false;
    size_t keptPoints = 0;
    for (int i = 0; i < faceLines; ++i) {
        const FaceSource& source = m_faceSources[i];
        const bool built = source.valve && builtFaceOfDef[i] >= 0;
        valve = valve || built;
        keptPoints += built && source.planeAsWritten;
    }
    if (!valve)
        return;
    std::vector<ValveAxes> axes(brush.m_numFaces);
    ReserveReadPoints(brush, keptPoints);
    for (int i = 0; i < faceLines; ++i) {
        const int built = builtFaceOfDef[i];
        if (built < 0)
            continue;
        const FaceSource& source = m_faceSources[i];
        if (source.valve) {
            axes[built] = m_defAxes[i];
            if (source.planeAsWritten)
                KeepReadPoints(brush, built, m_def.faces[i], true);
        } else {
            axes[built] =
                MakeValveAxes(GetFaceNormal(brush, built), GetStandardTexture(brush, built));
            brush.ForgetTextureText(built);
        }
        axes[built].line = source.line;
    }
    brush.m_valveAxes = std::move(axes);
}

void CMapReader::ReadBrush() {
    const int braceLine = m_tokenizer.Line();
    int faceLines = 0;
    bool fractional = false;
    m_def.numFaces = 0;
    m_faceSources.clear();
    m_faceCut = false;
    FaceDef spare; // for the lines beyond the table
    ValveAxes spareAxes;
    bool closed = false;
    while (!m_faceCut && m_tokenizer.GetToken(false)) {
        if (m_tokenizer.TokenIs('}')) {
            closed = true;
            break;
        }
        if (faceLines == 0 && IsQuake3BlockName(m_tokenizer.Token())) {
            KeepQuake3Block();
            return;
        }
        FaceSource& source = m_faceSources.emplace_back();
        source.line = m_tokenizer.Line();
        const char* begin = m_tokenizer.TokenSource().data();
        const bool held = faceLines < kMaxBrushFaces;
        FaceDef& face = held ? m_def.faces[faceLines] : spare;
        ValveAxes& axes = held ? m_defAxes[faceLines] : spareAxes;
        face = FaceDef();
        axes = ValveAxes();
        if (!ReadFace(face, axes, source)) {
            m_faceSources.pop_back();
            break; // a face line cut off by the end of the text is left out
        }
        std::string_view last = m_tokenizer.TokenSource();
        source.text = {begin, static_cast<size_t>(last.data() + last.size() - begin)};
        CountFaceLine(source);
        fractional = fractional || source.planeFractional;
        ++faceLines;
    }
    if (!closed)
        m_diagnostics.Report(braceLine, -1, "Brush is not closed at the end of the file\n");
    if (fractional)
        m_target.fractionalBrushLines.push_back(braceLine);
    if (faceLines > kMaxBrushFaces) {
        KeepBrush(braceLine, faceLines,
                  "Brush has more than 32 faces; it is kept as written but cannot be shown or "
                  "edited\n");
        return;
    }
    m_def.numFaces = static_cast<uint8_t>(faceLines);
    for (int i = 0; i < faceLines; ++i) {
        if (!FacePointsSpanPlane(m_def.faces[i]))
            m_diagnostics.ReportKept(m_faceSources[i].line, -1,
                                     "The three points of this face are equal or on one line; the "
                                     "face has no plane\n");
    }
    auto brush = std::make_unique<CMapBrush>();
    // What building finds in a brush the compilers build too is told for the
    // record; the brush keeps its lines whatever its corners come to. A brush
    // beyond the world is one problem, not a notice for each far corner.
    std::vector<std::string> notices;
    auto report = [&](std::string_view message) { notices.emplace_back(message); };
    int builtFaceOfDef[kMaxBrushFaces];
    const bool fits = BuildBrush(*brush, m_def, report, builtFaceOfDef);
    if (fits && ReachesBeyondWorld(*brush)) {
        KeepBrush(braceLine, faceLines, kBeyondWorld.c_str());
        return;
    }
    for (const std::string& notice : notices)
        m_diagnostics.Notice(0, braceLine, notice);
    if (!fits) {
        KeepBrush(braceLine, faceLines,
                  "Brush has more than 64 corners; it is kept as written but cannot be shown or "
                  "edited\n");
        return;
    }
    if (brush->m_numFaces == 0) {
        KeepBrush(braceLine, faceLines,
                  "Brush has no volume; it is kept as written but cannot be shown\n");
        return;
    }
    KeepFaceTexts(*brush, faceLines, builtFaceOfDef);
    AttachValveAxes(*brush, faceLines, builtFaceOfDef);
    m_brushes.push_back(std::move(brush));
}

// "origin" and "mangle": numbers after any spaces; the first two end at the
// next space character.
void CMapReader::ReadTriple(const Pair& pair, IntPoint& point) {
    int32_t* components[3] = {&point.x, &point.y, &point.z};
    const char* text = Value(pair);
    for (int i = 0; i < 3; ++i) {
        while (*text == ' ')
            ++text;
        *components[i] = ParseInt(text);
        if (i == 2)
            break;
        text = std::strchr(text, ' ');
        if (!text) {
            for (int missing = i + 1; missing < 3; ++missing)
                *components[missing] = 0;
            std::string message = "Value of \"";
            message.append(Key(pair)).append("\" has fewer than three numbers\n");
            m_diagnostics.Report(pair.line, -1, message);
            return;
        }
    }
}

// Sets the field of a key by its rule, or keeps the pair among the others.
// Whatever the field cannot give back as the same number is kept as text.
template <class Entity>
void CMapReader::ApplyPair(Entity& entity, std::span<const KeyRule<Entity>> rules, const Pair& pair,
                           CKeptTexts& kept, CustomPairList& others) {
    const char* key = Key(pair);
    const char* value = Value(pair);
    const KeyRule<Entity>* rule = FindKeyRule(rules, entity, key);
    if (!rule) {
        others.push_back({key, value});
        return;
    }
    if (rule->present)
        entity.*rule->present = true;
    std::visit(
        [&](auto member) {
            auto& field = entity.*member;
            using Field = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string>) {
                field = value;
                // An empty text is not written; the file's pair is kept.
                if (rule->written == KeyWritten::kIfNotEmpty)
                    KeepUnlessSame(kept, key, value, !field.empty());
            } else if constexpr (std::is_same_v<Field, IntPoint>) {
                ReadTriple(pair, field);
                KeepUnlessSame(kept, key, value, SameTriple(value, field));
            } else {
                field = static_cast<Field>(ParseInt(value));
                const int64_t written = rule->widenedUnsigned
                                            ? int64_t{static_cast<uint32_t>(int32_t{field})}
                                            : int64_t{field};
                bool same = SameNumber(value, written);
                // A "0" the writer would leave out is kept as the file has it.
                if (rule->written == KeyWritten::kIfNotZero && field == 0)
                    same = false;
                if (rule->written == KeyWritten::kIfNotNegative && field < 0)
                    same = false;
                KeepUnlessSame(kept, key, value, same);
            }
        },
        rule->field);
}

void CMapReader::StoreEntity() {
    const char* classname = "";
    for (const Pair& pair : m_pairs) {
        if (Equals(Key(pair), "classname"))
            classname = Value(pair);
    }
    FindRepeatedKeys();
    const bool world = Equals(classname, "worldspawn");
    // The world is written first, and once.
    if ((m_entitiesSeen++ == 0) != world || (world && m_target.hasWorld))
        NoteWholeReason("its world entity was not the first and only one");
    // The world is always saved, brushes or not; reading a brushless world as
    // a point entity would add one more "worldspawn" at every save.
    if (world) {
        StoreWorld();
        m_target.world.m_worldSource = m_entitySpan;
    } else if (m_brushes.empty())
        StorePointEntity();
    else
        StoreModelEntity(classname);
}

// Marks each pair that a later pair of the same key overrides, and tells of
// every repeat.
void CMapReader::FindRepeatedKeys() {
    m_overridden.assign(m_pairs.size(), false);
    constexpr size_t kScanned = 16;
    if (m_pairs.size() <= kScanned) {
        for (size_t i = 0; i < m_pairs.size(); ++i) {
            for (size_t j = i + 1; j < m_pairs.size() && !m_overridden[i]; ++j)
                m_overridden[i] = Equals(Key(m_pairs[i]), Key(m_pairs[j]));
        }
    } else {
        std::unordered_map<std::string_view, size_t> last;
        for (size_t i = 0; i < m_pairs.size(); ++i) {
            auto [place, added] = last.try_emplace(Key(m_pairs[i]), i);
            if (!added) {
                m_overridden[place->second] = true;
                place->second = i;
            }
        }
    }
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        if (!m_overridden[i])
            continue;
        std::string message = "Key \"";
        message.append(Key(m_pairs[i]))
            .append("\" is given again later in this entity; the game "
                    "takes the last value, and both are kept\n");
        m_diagnostics.Notice(m_pairs[i].line, -1, message);
    }
}

// A pair the fields hold that a later pair of its key overrides is kept
// aside; the fields take the last, as the game does. Other pairs keep every
// repeat among themselves.
template <class Entity>
void CMapReader::StorePairs(Entity& entity, std::span<const KeyRule<Entity>> rules,
                            CKeyLayout& layout, CKeptTexts& kept, CustomPairList& others) {
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        const Pair& pair = m_pairs[i];
        layout.NoteKey(Key(pair));
        if (m_overridden[i] && FindKeyRule(rules, entity, Key(pair)))
            layout.KeepOverridden(Key(pair), Value(pair));
        else
            ApplyPair(entity, rules, pair, kept, others);
    }
}

void CMapReader::StorePointEntity() {
    auto entity = std::make_unique<CPointEntity>();
    entity->m_hasOrigin = false;
    entity->m_source = m_entitySpan;
    StorePairs(*entity, PointEntityKeys(), entity->m_keyLayout, entity->m_keptTexts,
               entity->m_otherPairs);
    entity->m_mapOrder = ++m_entitiesRead;
    m_target.pointEntities.push_back(std::move(entity));
}

void CMapReader::StoreWorld() {
    // Each brush-bearing worldspawn starts these again; later pairs win.
    CWorldKeys& world = m_target.world;
    m_target.hasWorld = true;
    world.m_worldType = -1;
    world.m_hasWorldLight = false;
    world.m_hasWorldSounds = false;
    world.m_worldKeptTexts = CKeptTexts();
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        const Pair& pair = m_pairs[i];
        const char* key = Key(pair);
        world.m_worldKeyLayout.NoteKey(key);
        if (Equals(key, "mapversion") && Equals(Value(pair), "220"))
            m_sawValveVersion = true;
        const bool ownKey = Equals(key, "wad") || Equals(key, "classname");
        if (m_overridden[i] && (ownKey || FindKeyRule(WorldKeys(), world, key)))
            world.m_worldKeyLayout.KeepOverridden(key, Value(pair));
        else if (Equals(key, "wad"))
            m_target.wad = Value(pair);
        else if (!Equals(key, "classname"))
            ApplyPair(world, WorldKeys(), pair, world.m_worldKeptTexts, world.m_worldOtherPairs);
    }
    for (auto& brush : m_brushes)
        m_target.worldBrushes.push_back(std::move(brush));
    m_brushes.clear();
}

void CMapReader::StoreModelEntity(const char* classname) {
    auto entity = std::make_unique<CModelEntity>();
    entity->m_classname = classname;
    entity->m_source = m_entitySpan;
    // The class name was taken before; only "entityclass" changes it.
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        const Pair& pair = m_pairs[i];
        entity->m_keyLayout.NoteKey(Key(pair));
        if (m_overridden[i] && FindKeyRule<CModelEntityKeys>(ModelEntityKeys(), *entity, Key(pair)))
            entity->m_keyLayout.KeepOverridden(Key(pair), Value(pair));
        else if (!Equals(Key(pair), "classname"))
            ApplyPair<CModelEntityKeys>(*entity, ModelEntityKeys(), pair, entity->m_keptTexts,
                                        entity->m_otherPairs);
    }
    entity->m_brushes = std::move(m_brushes);
    m_brushes.clear();
    entity->m_mapOrder = ++m_entitiesRead;
    m_target.modelEntities.push_back(std::move(entity));
}
