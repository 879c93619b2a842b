#pragma once

class CClipTool;
class CSceneCamera;
class QPainter;

// Draws the clip tool's cut over the camera view's picture: the edges of the
// parts kept, those dropped dashed, and the points clicked so far.
void DrawCameraClipPreview(QPainter& painter, const CClipTool& tool, const CSceneCamera& camera,
                           int width, int height);
