// The hint and filter texts of the window in a toolkit's forms: every hint
// and dialog filter the window uses, and the edge cases of the two forms.
#include <gtest/gtest.h>

#include "app/main_window_logic.h"
#include "app/toolkit_text.h"

namespace hushlake {
namespace {

struct HintCase {
  std::string hint;
  std::string toolTip;
  std::string statusText;
};

TEST(ToolkitText, HintsSplitIntoToolTipAndStatusText) {
  const HintCase cases[] = {
      // The actions.
      {"Open Picture|Load a bitmap", "Open Picture", "Load a bitmap"},
      {"Save Text File|Save decrypted text", "Save Text File", "Save decrypted text"},
      {"Open Text File|Open text file to be encrypted", "Open Text File",
       "Open text file to be encrypted"},
      {"Save Picture|Save encrypted image", "Save Picture", "Save encrypted image"},
      {"Encrypt|Create stego encryption", "Encrypt", "Create stego encryption"},
      {"Decrypt|Decrypt the stego image", "Decrypt", "Decrypt the stego image"},
      {"Show Editor|Show text editor", "Show Editor", "Show text editor"},
      {"Help|Help and usage", "Help", "Help and usage"},
      {"About|Program information and license agreement", "About",
       "Program information and license agreement"},
      {"Exit|Close the application", "Exit", "Close the application"},
      // Controls.
      {"Load|Load a bitmap", "Load", "Load a bitmap"},
      {"Encryption Key|Encryption Key", "Encryption Key", "Encryption Key"},
      {"Cipher Selection", "Cipher Selection", "Cipher Selection"},
      {"8 Bit Image, Cipher disabled", "8 Bit Image, Cipher disabled",
       "8 Bit Image, Cipher disabled"},
      {"Encrypted image|Stego encrypted image", "Encrypted image", "Stego encrypted image"},
      // Hints that end in a file name, which may itself hold a "|".
      {"Original imported image|/home/u/a.bmp", "Original imported image", "/home/u/a.bmp"},
      {"Encrypted Image|odd|name.bmp", "Encrypted Image", "odd|name.bmp"},
      // Empty parts.
      {"", "", ""},
      {"|", "", ""},
      {"|only long", "", "only long"},
      {"only short|", "only short", ""},
  };
  for (const HintCase& c : cases) {
    SCOPED_TRACE(c.hint);
    const HintText split = SplitHint(c.hint);
    EXPECT_EQ(split.toolTip, c.toolTip);
    EXPECT_EQ(split.statusText, c.statusText);
  }
}

struct FilterCase {
  std::string filter;
  std::vector<std::string> nameFilters;
};

TEST(ToolkitText, DialogFiltersBecomeNameFilters) {
  using List = std::vector<std::string>;
  const FilterCase cases[] = {
      // The window's dialogs.
      {std::string(dialogs::OpenPicture.filter),
       List{"Pictures (*.bmp *.png)", "Bitmaps (*.bmp)", "PNG pictures (*.png)"}},
      {std::string(dialogs::OpenText.filter),
       List{"All Supported (*.txt *.htm *.html)", "HTM(*.htm)", "HTML(*.html)",
            "Text file (*.txt)"}},
      {std::string(dialogs::SaveText.filter),
       List{"Text file (*.txt)", "HTM(*.htm)", "HTML(*.html)"}},
      {std::string(dialogs::SavePicture.filter), List{"Bitmaps (*.bmp)", "PNG pictures (*.png)"}},
      {std::string(dialogs::SaveBitmap.filter), List{"Bitmaps (*.bmp)", "PNG pictures (*.png)"}},
      {std::string(dialogs::SavePictureAsPng.filter),
       List{"PNG pictures (*.png)", "Bitmaps (*.bmp)"}},
      {std::string(dialogs::SaveBitmapAsPng.filter),
       List{"PNG pictures (*.png)", "Bitmaps (*.bmp)"}},
      // The general form, and a name whose own list differs from its patterns.
      {"Name|*.a;*.b|Name2|*.c", List{"Name (*.a *.b)", "Name2 (*.c)"}},
      {"Text (*.txt)|*.txt;*.text", List{"Text (*.txt) (*.txt *.text)"}},
      {"Pictures (*.bmp *.dib)|*.bmp;*.dib", List{"Pictures (*.bmp *.dib)"}},
      {"Pictures (*.bmp;*.dib)|*.bmp;*.dib", List{"Pictures (*.bmp;*.dib)"}},
      // Blanks and empty items in pattern lists.
      {" Spaced |*.a; *.b;;", List{"Spaced (*.a *.b)"}},
      // Empty parts: no filter at all, a name without patterns, an empty name.
      {"", List{}},
      {"|", List{}},
      {"Orphan", List{}},
      {"Name|*.a|Orphan", List{"Name (*.a)"}},
      {"Name|", List{}},
      {"Name|*.a|Empty|", List{"Name (*.a)"}},
      {"|*.a;*.b", List{"(*.a *.b)"}},
      {"Name|*.a||", List{"Name (*.a)"}},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(DialogNameFilters(c.filter), c.nameFilters);
  }
}

}  // namespace
}  // namespace hushlake
