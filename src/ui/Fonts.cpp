#include "ui/Fonts.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct FaceMapping {
    const char* face;
    const char* family;
};

// Windows faces and the fonts that keep their metrics (half-width glyphs half the height).
constexpr FaceMapping FaceMappings[] = {
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
};

constexpr int DefaultPixelSize = 12;

} // namespace

void InstallFontSubstitutions() {
    for (const auto& m : FaceMappings) {
        QFont::insertSubstitution(QString::fromUtf8(m.face), QString::fromLatin1(m.family));
    }
}

QString FamilyForFace(const std::string& face) {
    std::string_view name = face;
    if (!name.empty() && name.front() == '@') name.remove_prefix(1);
    for (const auto& m : FaceMappings) {
        if (name == m.face) return QString::fromLatin1(m.family);
    }
    if (name.empty()) return QStringLiteral("IPAGothic");
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QFont MakeQFont(const CanvasFont& font) {
    QFont f(FamilyForFace(font.face));
    // Sizes from files or scaled reals are bounded before Qt sees them.
    const int height =
        std::clamp(font.height == 0 ? DefaultPixelSize : std::abs(font.height), 1, 100000);
    f.setPixelSize(height);
    if (font.width > 0) {
        // The width is the advance of a half-width character, half the height at stretch 100.
        const long stretch = (200L * std::min(font.width, 100000) + height / 2) / height;
        f.setStretch(int(std::clamp(stretch, 1L, 4000L)));
    }
    const int weight = font.weight <= 0 ? 400 : std::min(font.weight, 1000);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(font.italic);
    // The drawings count on the fixed grid of the faces: no kerning.
    f.setKerning(false);
    return f;
}
