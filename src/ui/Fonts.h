#pragma once
// The Windows font faces the drawings name, mapped to the Japanese fonts of this system:
// "ＭＳ ゴシック" to IPAGothic, "ＭＳ 明朝" to IPAMincho; "@" before a face asks for vertical
// writing, which the canvas lays out itself (Qt has no vertical fonts).
#include "ports/Canvas.h"

#include <QFont>
#include <QString>

#include <string>

// Registers the substitutions with Qt, so that widgets asking for the Windows faces by name get
// the IPA fonts too. Called once at start-up.
void InstallFontSubstitutions();

// The family that draws a Windows face (the '@' of a vertical face is ignored).
QString FamilyForFace(const std::string& face);

// A Qt font for a created font: height in pixels, width as a stretch of the half-width advance,
// weight on the usual 1..1000 scale, italic. Escapement and vertical writing are the canvas's.
QFont MakeQFont(const CanvasFont& font);
