#include "ButtonLayout.h"

#include <algorithm>

namespace kx {

std::wstring CaptionDisplayText(const std::wstring& caption)
{
    std::wstring out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
            out += L"\r\n";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

std::optional<wchar_t> AccessKeyOf(const std::wstring& caption)
{
    std::optional<wchar_t> key;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (i + 1 >= caption.size())
            break;
        if (caption[i + 1] != L'&')
            key = caption[i + 1];
        ++i;  // skip the marked character or the second half of "&&"
    }
    return key;
}

FaceLimits FaceLimitsFor(int shape, int W, int L, int R)
{
    switch (shape) {
    case 1: {
        int lx = L - L / 3 + 3;
        return {lx, W, W - lx};
    }
    case 2: {
        int rx = R + (W - R) / 3;
        return {0, rx, rx};
    }
    case 3: {
        int lx = L + 3 - L / 3;
        int rx = R + (W - R) / 3;
        return {lx, rx, rx - lx};
    }
    case 7:
    case 8:
        return {3, R - 3, R - 3};
    default:
        return {0, W, R};
    }
}

Layout LayOut(const LayoutInput& in, const MeasureText& measure)
{
    Layout out;
    out.text = CaptionDisplayText(in.caption);
    const FaceLimits f = FaceLimitsFor(in.shape, in.width, in.leftRun, in.rightEdge);
    const int H = in.height;
    const bool small = in.hasPicture && in.pictureEdge <= 32;
    const int s = small ? in.pictureEdge : 0;
    const int pa = in.pictureAlign;
    const int sl = small && (pa == 0 || pa == 1) ? s : 0;
    const int sr = small && (pa == 2 || pa == 3) ? s : 0;
    const int sv = small && pa > 3 ? s : 0;
    auto g = [](int x) { return x > 0 ? 4 : 0; };

    // 1. Measure the broken text.
    int tw = 0, th = 0;
    const bool hasCaption = !in.caption.empty();
    if (hasCaption && measure) {
        Size m = measure(out.text, std::max(0, f.wx - (sl + sr) - 8), std::max(0, H - 8 - sv));
        tw = m.width;
        th = m.height;
        if (in.captionStyle == 1 || in.captionStyle == 2) {
            tw += 2;
            th += 2;
        }
    }

    // 2. Horizontal position of the caption.
    int left;
    switch (in.captionAlign) {
    case 0:
        left = f.lx + 4 + sl + g(sl);
        break;
    case 1:
        left = f.rx - tw - sr - g(sr) - 4;
        break;
    default:
        if (sl > 0 && pa == 1)
            left = sl + (f.wx - tw - sl - 4) / 2 + f.lx + 4;
        else if (sr == 0)
            left = sl + (f.wx - tw - sr - sl) / 2 + f.lx;
        else if (pa == 3)
            left = f.lx + (f.wx - tw - sr - 4) / 2;
        else
            left = sl + (f.wx - tw - sr - sl) / 2 + f.lx;
        break;
    }
    Rect cap{left, (H - th) / 2, left + tw, (H - th) / 2 + th};

    // 3. Picture position and the vertical placement.
    Rect pic{};
    if (small) {
        int px = 0, py = (H - s) / 2;
        switch (pa) {
        case 0:
            px = f.lx + 4;
            break;
        case 1:
            px = hasCaption ? cap.left - s - 4 : f.lx + 4;
            break;
        case 2:
            px = f.rx - s - 4;
            break;
        case 3:
            px = hasCaption ? cap.right + 4 : f.rx - s - 4;
            break;
        case 4: {
            int c = H - (th + s);
            py = c / 2;
            cap.top = s + c / 2 + 2;
            cap.bottom = cap.top + th;
            px = f.lx + (f.wx - s) / 2;
            break;
        }
        case 5: {
            int c = H - (th + s);
            py = c / 2 + th + 4;
            cap.top = c / 2 + 2;
            cap.bottom = cap.top + th;
            px = f.lx + (f.wx - s) / 2;
            break;
        }
        default:
            break;
        }
        pic = {px, py, px + s, py + s};
    }

    // 4. Keep both inside the face margins.
    auto clampRect = [&](Rect& r) {
        r.top = std::max(r.top, 4);
        r.left = std::max(r.left, f.lx + 4);
        r.right = std::min(r.right, f.rx - 4);
        r.bottom = std::min(r.bottom, H - 5);
    };
    clampRect(cap);
    if (small)
        clampRect(pic);

    // 5. Stretched, fitted and shaped pictures.
    if (in.hasPicture && !small) {
        if (IsPictureShape(in.shape)) {
            pic = {0, 0, in.width, H};
        } else if (in.pictureEdge == 40) {
            int inset = in.shape == 6 ? 1 : 3;
            pic = {f.lx + inset, inset, f.rx - inset, H - inset};
        } else {
            Size fit = FitInto(in.pictureWidth, in.pictureHeight, f.wx - 12, H - 12);
            int px = f.lx + (f.wx - fit.width) / 2;
            int py = (H - fit.height) / 2;
            pic = {px, py, px + fit.width, py + fit.height};
        }
    }
    out.caption = cap;
    out.picture = pic;
    return out;
}

}  // namespace kx
