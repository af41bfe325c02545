#include "mainwindow/panes/PreviewFileDlg.h"
#include "mainwindow/panes/PicturePreview.h"

#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <cstdlib>
#include <fstream>

namespace {

using lumarc::test::SaveWindowShot;

// A folder of pictures made by ImageMagick, a text file and a sub-folder.
class PreviewFileDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = lumarc::test::MakeTempFolder("pictures");
        Convert("-size 400x200 gradient:gold-brown", "coin.jpg");
        Convert("-size 60x40 xc:steelblue", "Note.PNG");
        std::ofstream(m_folder / "readme.txt") << "not a picture";
        std::ofstream(m_folder / "broken.png") << "not a picture either";
        std::filesystem::create_directory(m_folder / "more.jpg");
    }

    void Convert(const std::string& spec, const std::string& name)
    {
        const std::string command = "/usr/bin/convert " + spec + " '" + (m_folder / name).string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    std::filesystem::path m_folder;
};

TEST_F(PreviewFileDlgTest, ListsThePicturesOfTheFolderByTheChosenFilter)
{
    CPreviewFileDlg dialog(true, "jpg", m_folder / "", CPreviewFileDlg::kPictureFilter, nullptr);
    EXPECT_EQ(dialog.GetFolder(), m_folder);
    EXPECT_EQ(dialog.GetListedFiles(), (std::vector<std::string>{"broken.png", "coin.jpg", "Note.PNG"}));
    dialog.SetFilterIndex(1);
    EXPECT_EQ(dialog.GetListedFiles(),
              (std::vector<std::string>{"broken.png", "coin.jpg", "Note.PNG", "readme.txt"}));
}

TEST_F(PreviewFileDlgTest, PreviewsTheChosenPictureWhileThePreviewIsOn)
{
    CPreviewFileDlg dialog(true, "", m_folder / "coin.jpg", CPreviewFileDlg::kPictureFilter, nullptr);
    CPicturePreview* preview = dialog.GetPreview();
    EXPECT_EQ(preview->GetId(), CPreviewFileDlg::kPictureBoxId);
    EXPECT_TRUE(dialog.IsPreviewOn());
    // The file named at construction is chosen and shown at once.
    EXPECT_EQ(dialog.GetPath(), m_folder / "coin.jpg");
    ASSERT_TRUE(preview->IsLoaded());
    EXPECT_EQ(preview->GetPicture().GetSize(), wxSize(400, 200));
    const wxRect shown = preview->PictureRect();
    EXPECT_LE(shown.width, preview->GetClientSize().x);
    EXPECT_NEAR(double(shown.width) / shown.height, 2.0, 0.05);

    ASSERT_TRUE(dialog.SelectFile("broken.png"));
    EXPECT_FALSE(preview->IsLoaded()); // does not decode: the box is empty, nothing is thrown

    dialog.SetPreview(false);
    ASSERT_TRUE(dialog.SelectFile("Note.PNG"));
    EXPECT_FALSE(preview->IsLoaded());
    dialog.SetPreview(true);
    ASSERT_TRUE(preview->IsLoaded());
    EXPECT_EQ(preview->GetPicture().GetSize(), wxSize(60, 40));
    EXPECT_EQ(preview->PictureRect().GetSize(), wxSize(60, 40)); // small pictures are not blown up
}

TEST_F(PreviewFileDlgTest, AFolderIsNotPreviewedAndAddsTheDefaultExtension)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "preview"); // owned by wx, with the box
    auto* preview = new CPicturePreview(frame, wxID_ANY);
    EXPECT_FALSE(preview->LoadPicture(m_folder / "more.jpg"));
    EXPECT_FALSE(preview->LoadPicture(m_folder / "missing.jpg"));
    frame->Destroy();

    CPreviewFileDlg dialog(false, "png", m_folder / "new", CPreviewFileDlg::kPictureFilter, nullptr);
    EXPECT_EQ(dialog.GetPath(), m_folder / "new.png");
}

TEST_F(PreviewFileDlgTest, Screenshot)
{
    CPreviewFileDlg dialog(true, "", m_folder / "coin.jpg", CPreviewFileDlg::kPictureFilter, nullptr);
    dialog.Show();
    SaveWindowShot(dialog, "preview-file-dialog");
    dialog.Hide();
}

} // namespace
