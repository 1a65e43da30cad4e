// Where the caption and picture of a kxButtons_H button go, the caption's
// line breaks and its access key. No Windows header: text measuring is
// passed in.
#pragma once
#include "ButtonGeometry.h"

#include <functional>
#include <optional>
#include <string>

namespace kx {

// "||" in a caption is a line break.
std::wstring CaptionDisplayText(const std::wstring& caption);

// The access key of a caption: the character after the last single "&"
// (a doubled "&&" is a literal ampersand). None when there is no single "&"
// followed by a character.
std::optional<wchar_t> AccessKeyOf(const std::wstring& caption);

// PictureSize index <-> stored pixel edge (16, 24, 32, 40 stretched,
// 48 fitted). Reading maps the edge back to the same index, so a value
// read and written back does not grow the picture.
constexpr int EdgeOfPictureSize(int index) { return 16 + 8 * index; }
constexpr int PictureSizeOfEdge(int edge) { return edge / 8 - 2; }
constexpr bool IsValidEdge(int edge) { return edge == 16 || edge == 24 || edge == 32 || edge == 40 || edge == 48; }

// Horizontal limits of the face for a shape.
struct FaceLimits {
    int lx = 0;
    int rx = 0;
    int wx = 0;
};
FaceLimits FaceLimitsFor(int shape, int width, int leftRun, int rightEdge);

struct LayoutInput {
    int shape = 0;
    int width = 0;
    int height = 0;
    int leftRun = 0;
    int rightEdge = 0;
    std::wstring caption;  // as set, with "||"
    int captionAlign = 2;  // 0 left, 1 right, 2 centred
    int captionStyle = 0;  // 0 flat, 1 embossed, 2 engraved
    bool hasPicture = false;
    int pictureEdge = 16;  // 16, 24, 32, 40 or 48
    int pictureAlign = 0;  // 0..5
    int pictureWidth = 0;  // the picture's own size, for the fitted edge 48
    int pictureHeight = 0;
};

// Measures word-broken text in a box of the given width and height and
// returns the size it needs.
using MeasureText = std::function<Size(const std::wstring& text, int boxWidth, int boxHeight)>;

struct Layout {
    Rect caption;
    Rect picture;  // empty without a picture
    std::wstring text;  // the caption with its line breaks
};
Layout LayOut(const LayoutInput& in, const MeasureText& measure);

}  // namespace kx
