#include "texture/CTextureBrowserModel.h"
#include "texture/CTextureWad.h"

#include "TestDoubles.h"
#include "TestSupport.h"
#include "WadBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

// Two files of the list and one missing; the map uses a texture of the first
// in another case, one that only the second holds, and one no file holds.
class TextureBrowserModelTest : public ::testing::Test {
protected:
    TextureBrowserModelTest() {
        CWadBuilder()
            .AddMipTexture("WALL1", 64, 32)
            .AddMipTexture("floor_2", 16, 16)
            .WriteTo(m_dir.Path("base.wad"));
        CWadBuilder()
            .AddMipTexture("wall1", 64, 64) // listed under base.wad, which comes first
            .AddMipTexture("door_tall", 32, 128)
            .WriteTo(m_dir.Path("extra.wad"));
        m_wad.SetFileName("base.wad;gone.wad;extra.wad");
        m_wad.SetMapFolder(m_dir.Path("base.wad").parent_path().string());
        m_wad.LoadTextureWad();
        m_uses["wall1"] = {"wall1", 3};
        m_uses["door_tall"] = {"DOOR_TALL", 1};
        m_uses["lost"] = {"Lost", 2};
        m_model.Rebuild(m_wad, m_uses);
    }

    // What the rows show: "# group" for a heading, else the texture's name
    // with its use count.
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const CTextureBrowserModel::Row& row : m_model.GetRows()) {
            if (row.heading) {
                shown.push_back("# " + m_model.GetGroups().at(row.index).title);
                continue;
            }
            const CTextureBrowserModel::Texture& texture = m_model.GetTextures().at(row.index);
            shown.push_back(texture.name + " " + std::to_string(texture.uses));
        }
        return shown;
    }

    CTempDir m_dir;
    CRecordingProgress m_progress;
    CTextureWad m_wad;
    TextureUses m_uses;
    CTextureBrowserModel m_model;
};

TEST_F(TextureBrowserModelTest, GroupsByFileWithMissingFilesAndUnheldTexturesLast) {
    EXPECT_THAT(Shown(),
                ElementsAre("# base.wad", "WALL1 3", "floor_2 0", "# gone.wad (missing)",
                            "# extra.wad", "door_tall 1", "# Not in the texture files", "Lost 2"));
    EXPECT_TRUE(m_model.GetTextures().back().missing);
    EXPECT_EQ(m_model.FindTexture("DOOR_tall"), 2);
}

TEST_F(TextureBrowserModelTest, FiltersByAnyPartOfTheNameInAnyCase) {
    m_model.SetFilter("AL", false);
    EXPECT_THAT(Shown(), ElementsAre("# base.wad", "WALL1 3", "# extra.wad", "door_tall 1"));
    EXPECT_EQ(m_model.FindFirstShownTexture(), 0);
    m_model.SetFilter("oSt", false);
    EXPECT_THAT(Shown(), ElementsAre("# Not in the texture files", "Lost 2"));
    m_model.SetFilter("nothing", false);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(m_model.FindFirstShownTexture(), -1);
}

TEST_F(TextureBrowserModelTest, UsedOnlyFollowsNewCounts) {
    m_model.SetFilter("", true);
    EXPECT_THAT(Shown(), ElementsAre("# base.wad", "WALL1 3", "# extra.wad", "door_tall 1",
                                     "# Not in the texture files", "Lost 2"));
    m_uses.erase("lost");
    m_uses.erase("wall1");
    m_uses["floor_2"] = {"floor_2", 5};
    m_model.SetUses(m_uses);
    EXPECT_THAT(Shown(), ElementsAre("# base.wad", "floor_2 5", "# extra.wad", "door_tall 1"));
    EXPECT_EQ(m_model.GetTextureRow(0), -1); // WALL1 is hidden now
}

} // namespace
