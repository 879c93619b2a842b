#pragma once

class CTextureListModel;
class QListView;
class QWidget;

// A list of texture thumbnails that wrap across the width, headings and all,
// as the browser and the texture picker show them.
QListView* MakeTextureListView(CTextureListModel& model, QWidget* parent);
