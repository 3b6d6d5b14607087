#include "windows/help_text.h"

namespace hushlake {

std::string_view HelpUsageText() {
  return R"(Hushlake hides a text inside a picture. Only someone with the same key, and the same choices of hash, cipher and mode, can read it back.

What holds and what does not: nobody looking at the picture sees a difference, and without the key nobody can read the text. But the picture does not hide that something was done to it. The light noise Hushlake adds to every 24-bit and 32-bit picture, whatever the length of the text, leaves traces that published detectors of hidden text find in most pictures, even for a single character; and a picture that once was a JPEG shows any change at all. (The simpler scheme of 8-bit pictures has not been measured against them.) Anyone who suspects you and has such a detector can tell that a picture carries something, though not what.

To see what the detectors say about a picture, right-click it and choose Analysis Report; after Encrypt, the line under the result picture gives their verdict on it. For the least conspicuous result, start from a picture that never was a JPEG (a PNG or a bitmap straight from a camera or scanner, scaled down) and keep the text short.

To Encrypt

1. Press Open Img and load a bitmap picture (8, 24 or 32 bits per pixel) of at least 24x24 pixels. A larger picture carries a longer text.
2. Press Editor to open the text editor, then type or paste the text you want to hide, or load it with Open Text. The editor's status line shows how many characters the picture can take.
3. Type a key of at least 9 characters into the key field. A long key of words and signs that only you know is best; without it the text cannot be read back.
4. For a 24-bit or 32-bit picture choose a hash, a cipher and a mode from the three lists. Write them down with the key: the same three are needed to decrypt.
5. Press Encrypt. The text in the editor is replaced by its enciphered form, and that is what is written into the picture. Keep a copy of your original text elsewhere if you need it.
6. Press Save Img and save the new picture under a new name.

To Decrypt

1. Press Open Img and load the picture that carries the text.
2. Type the same key that was used to encrypt it.
3. Choose the same hash, cipher and mode as when it was encrypted.
4. Press Decrypt. The hidden text appears in the text editor, from which you can save it with Save Text.

The hash, cipher and mode apply only to 24-bit and 32-bit pictures. With an 8-bit (256 colour) picture the lists are switched off and the text is hidden with a much simpler scheme that uses the key alone, and only letters, digits, spaces and a few signs survive. The ciphers of the 24-bit and 32-bit pictures are far stronger: use such a picture whenever the text matters.

Sealed pictures

Tick Sealed, first in the row of lists, to use the sealed kind of picture instead. Encrypt and Decrypt then work as above, with three differences in plain words:
- Nothing to remember but the key: the hash, cipher and mode lists are switched off, because a sealed picture always uses the same modern protection.
- It is much harder to notice. The few changes go where the picture is already busy (leaves, gravel, fabric), each by the smallest step, and nothing in the picture marks it as carrying anything. Keep the text short: the safer amount is small (a 24-bit photo of 4000x3000 pixels takes about 225 KB safely), and the closer to the most a picture takes, the easier a detector finds the changes.
- It is much harder to guess the key. Each try of a key costs a quarter of a second or more and 256 MB of memory, so Decrypt takes a moment. A wrong key, a picture that holds nothing, or a picture changed in any way all give the same answer: nothing opens.
Sealed pictures need 24 or 32 bits per pixel; an 8-bit picture must be saved as a 24-bit one first. A sealed picture can also carry any file with its name: with Sealed ticked, choose Hide a file in the menu of the Open Text button (the command-line tool: hushlake-cli encrypt --sealed --file). Decrypt of such a picture names the file in the text editor and offers to save it, under its own name if you like.

Worked examples, step by step, are in the manual: press Website to open it.

To Publish to Internet

Plain bitmaps are large and many web pages do not show them, so a picture is usually converted before it is published. Choose the format with care: JPEG, and every other format that compresses by throwing detail away, destroys the hidden text completely, even at its highest quality. PNG is lossless and suitable for publishing.

Hushlake reads and writes PNG pictures directly: open a PNG with Open Img, and save the encrypted picture under a name ending in .png. Nothing needs converting by hand then. The steps below are for pictures that come from, or go to, another program or format.

Beware of converters that reorder the palette of an 8-bit picture (some do so to make the file smaller): the hidden text of an 8-bit picture lives in the order of its palette, and a reordered palette destroys it for good. 24-bit and 32-bit pictures do not have this problem.

To convert Bitmap to PNG format:

1. Open the saved bitmap in your image editor.
2. Change nothing at all: no resizing, cropping, rotating, colour correction, sharpening, added text or layers.
3. Choose Save As (or Export) and pick PNG as the format.
4. Switch off every option that would change pixels: colour profile conversion, reduction to fewer colours, and removal of the alpha channel of a 32-bit picture.
5. Save, and keep the original bitmap until you have checked that the PNG decrypts.

To convert PNG back to Bitmap format:

1. Open the PNG picture in your image editor.
2. Again change nothing but the format.
3. Choose Save As (or Export) and pick Windows bitmap (BMP) as the format.
4. Save it as a 24-bit bitmap (or 32-bit, if that is what was encrypted).

Note: image editors offer several kinds of bitmap, such as 1, 4, 8, 16, 24 and 32 bits per pixel, compressed (RLE) or with colour space information. Choose the uncompressed 24-bit kind for a picture encrypted as 24-bit, and 32-bit for one encrypted as 32-bit. Any other kind changes the pixel values and loses the text.

The saved bitmap can then be opened in Hushlake and decrypted as usual.
)";
}

}  // namespace hushlake
