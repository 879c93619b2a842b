#pragma once

#include "view/CCanvas.h"

#include <string>
#include <vector>

// Records every drawing call, in order, as readable text.
class CRecordingCanvas : public CCanvas {
public:
    struct Call {
        std::string kind; // "line", "rect", "ellipse", "text"
        int32_t a, b, c, d;
        Rgb colour;
        Rgb fill;
        std::string text;
    };

    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) override {
        m_calls.push_back({"line", x1, y1, x2, y2, colour, {}, {}});
    }
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) override {
        m_calls.push_back({"rect", x1, y1, x2, y2, colour, {}, {}});
    }
    void DrawEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb fill,
                     Rgb outline) override {
        m_calls.push_back({"ellipse", left, top, right, bottom, outline, fill, {}});
    }
    void DrawText(int32_t x, int32_t y, const char* text) override {
        m_calls.push_back({"text", x, y, 0, 0, {}, {}, text});
    }

    int Count(const std::string& kind) const {
        int count = 0;
        for (const Call& call : m_calls)
            count += call.kind == kind;
        return count;
    }
    int CountColour(const std::string& kind, Rgb colour) const {
        int count = 0;
        for (const Call& call : m_calls)
            count += call.kind == kind && (kind == "ellipse" ? call.fill : call.colour) == colour;
        return count;
    }

    std::vector<Call> m_calls;
};
