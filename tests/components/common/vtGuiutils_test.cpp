// Tests of the drawing, window and utility routines: geometry, dialog units, memory blocks,
// command lines, cursors, transparent and disabled drawing by pixel, window placement, and
// another running copy of a program brought forward.
#include "components/common/vtGuiutils.h"

#include "components/common/Vtconst.h"
#include "tests/components/graphics/IconFile.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/graphics/ImgList.h"
#include "ui/graphics/Resources.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

TEST(vtGuiutils, PointInRectCountsTheRightAndBottomEdges)
{
  const TRect r = Rect(10, 10, 20, 30);
  EXPECT_TRUE(PointInRect(Point(20, 30), r));
  EXPECT_TRUE(PointInRect(Point(10, 10), r));
  EXPECT_FALSE(PointInRect(Point(21, 15), r));
  EXPECT_FALSE(PointInRect(Point(15, 9), r));
  EXPECT_EQ(WidthOf(r), 10);
  EXPECT_EQ(HeightOf(r), 20);
}

TEST(vtGuiutils, PointInPolygon)
{
  const std::vector<TPoint> triangle{Point(0, 0), Point(10, 0), Point(0, 10)};
  EXPECT_TRUE(PointInPolyRgn(Point(2, 2), triangle));
  EXPECT_FALSE(PointInPolyRgn(Point(8, 8), triangle));
  EXPECT_FALSE(PointInPolyRgn(Point(-1, 2), triangle));
}

TEST(vtGuiutils, FourDialogUnitsAreOneHorizontalBaseUnit)
{
  EXPECT_EQ(DialogUnitsToPixelsX(4), DialogUnitsToPixelsX(8) / 2);
  EXPECT_EQ(PixelsToDialogUnitsX(DialogUnitsToPixelsX(4)), 4);
  EXPECT_EQ(PixelsToDialogUnitsY(DialogUnitsToPixelsY(8)), 8);
}

TEST(vtGuiutils, MemoBlocksKnowTheirSizeAndStartZeroed)
{
  EXPECT_EQ(AllocMemo(0), nullptr);
  void* p = AllocMemo(16);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(GetMemoSize(p), 16);
  EXPECT_EQ(static_cast<unsigned char*>(p)[15], 0);
  p = ReallocMemo(p, 64);
  EXPECT_EQ(GetMemoSize(p), 64);
  FreeMemo(p);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(GetMemoSize(p), 0);
}

TEST(vtGuiutils, SplitCommandLine)
{
  const struct { const char* line; const char* cmd; const char* params; } cases[] = {
      {"prog a b", "prog", "a b"},
      {"  \"/usr/my prog\"  -x   \"two words\"", "/usr/my prog", "-x \"two words\""},
      {"\"\"prog  x", "prog", "x"},
      {"prog", "prog", ""},
  };
  for (const auto& c : cases) {
    String cmd, params;
    SplitCommandLine(c.line, cmd, params);
    EXPECT_EQ(cmd, c.cmd) << c.line;
    EXPECT_EQ(params, c.params) << c.line;
  }
}

TEST(vtGuiutils, SmallStringHelpers)
{
  EXPECT_EQ(DropT("TVtCalcEdit"), "VtCalcEdit");
  EXPECT_EQ(DropT("tform"), "form");
  EXPECT_EQ(DropT("T"), "T");
  EXPECT_EQ(DropT(""), "");
  EXPECT_EQ(AnsiUpperFirstChar("camp"), "Camp");
  EXPECT_EQ(ResStr("Ident"), "Ident");
  EXPECT_NO_THROW(RaiseWin32Error(0));
  EXPECT_THROW(RaiseWin32Error(2), EOSError);
}

TEST(vtGuiutils, NestedWaitsRestoreTheCursorAtTheOutermostStop)
{
  vt::EnsureTestApplication();
  Screen->SetCursor(crDefault);
  StartWait();
  StartWait();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  StopWait();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  StopWait();
  EXPECT_EQ(Screen->Cursor(), crDefault);
  StopWait(); // without a matching start: nothing
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(vtGuiutils, NotImplementedTellsAndAbortsSilently)
{
  vt::EnsureTestApplication();
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  EXPECT_THROW(NotImplemented(), EAbort);
  EXPECT_EQ(responder.Last().Text, "Function not yet implemented");
}

TEST(vtGuiutils, GradientBandsRunFromStartToEndColour)
{
  vt::EnsureTestApplication();
  TBitmap bitmap;
  bitmap.SetSize(10, 4);
  GradientFillRect(bitmap.Canvas(), Rect(0, 0, 10, 4), clBlack, clWhite, fdLeftToRight, 2);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bitmap.Canvas()->Pixels(9, 3), clWhite);
  GradientFillRect(bitmap.Canvas(), Rect(0, 0, 10, 4), clBlack, clWhite, fdRightToLeft, 2);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clWhite);
}

TEST(vtGuiutils, DisabledLookInksEveryPixelButTheOutlineColour)
{
  vt::EnsureTestApplication();
  TBitmap glyph;
  glyph.SetSize(4, 1);
  const TColor pixels[] = {clFuchsia, clWhite, ColorToRGB(clBtnFace), clRed};
  for (int x = 0; x < 4; ++x)
    glyph.Canvas()->SetPixels(x, 0, pixels[x]);
  TBitmap* disabled = CreateDisabledBitmapEx(&glyph, clFuchsia, clBtnFace, clBtnHighlight, clBtnShadow, false);
  const TColor expected[] = {ColorToRGB(clBtnFace), ColorToRGB(clBtnShadow), ColorToRGB(clBtnShadow),
                             ColorToRGB(clBtnShadow)};
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(disabled->Canvas()->Pixels(x, 0), expected[x]) << x;
  delete disabled;
}

TEST(vtGuiutils, LibraryCursorsAndDefinedCursorsTakeTheirNumbers)
{
  vt::EnsureTestApplication();
  Application->Initialize();
  const HCURSOR standard = Screen->Cursors(crDefault);
  EXPECT_NE(Screen->Cursors(crHand), standard);
  EXPECT_NE(Screen->Cursors(crDragHand), standard);
  EXPECT_NE(Screen->Cursors(crHand), Screen->Cursors(crDragHand));

  const TCursor first = DefineCursor(HInstance, "VT_DRAGCUR");
  const TCursor second = DefineCursor(HInstance, "VT_HANDCUR");
  EXPECT_EQ(first, 100);
  EXPECT_EQ(second, 101);
  EXPECT_NE(Screen->Cursors(second), standard);
  try {
    DefineCursor(HInstance, "NO_SUCH_CURSOR");
    ADD_FAILURE() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NO_SUCH_CURSOR not found");
  }
  EXPECT_EQ(Screen->Cursors(102), standard);
}

TEST(vtGuiutils, AnimatedCursorsLoadFromTheirResource)
{
  using namespace vt::test;
  vt::EnsureTestApplication();
  vt::RegisterResource("VT_TEST_ANI", RT_ANICURSOR,
                       Riff({Header(2, 2, 6), List("fram", {Chunk("icon", IconFile(16, 32, 2, 3, 5)),
                                                            Chunk("icon", IconFile(16, 4, 2, 1, 1))})}));
  vt::RegisterResource("VT_TEST_BAD_ANI", RT_ANICURSOR, Riff({Header(1, 1, 6)})); // no frames
  HCURSOR cursor = LoadAniCursor(HInstance, "VT_TEST_ANI");
  EXPECT_NE(cursor, nullptr);
  DestroyCursor(cursor);
  EXPECT_EQ(LoadAniCursor(HInstance, "VT_TEST_BAD_ANI"), nullptr);
  EXPECT_EQ(LoadAniCursor(HInstance, "NO_SUCH_ANI"), nullptr);

  const TCursor defined = DefineCursor(HInstance, "VT_TEST_ANI");
  EXPECT_GE(defined, 100);
  EXPECT_NE(Screen->Cursors(defined), Screen->Cursors(crDefault));
  EXPECT_THROW(DefineCursor(HInstance, "VT_TEST_BAD_ANI"), EResNotFound);
}

namespace {

// Runs the event loop until the condition holds; false when it did not within three seconds.
bool WaitUntil(const std::function<bool()>& condition)
{
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > 3000)
      return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

} // namespace

// Frame 0 (hot spot 3,5) shows for 6/60 s, frame 1 (hot spot 1,1) for 18/60 s, over and over:
// as the screen's cursor and as a control's.
TEST(vtGuiutils, AnAnimatedCursorShowsEachFrameForItsRate)
{
  using namespace vt::test;
  vt::EnsureTestApplication();
  vt::RegisterResource("VT_TEST_ANI_RATES", RT_ANICURSOR,
                       Riff({Header(2, 2, 6), Chunk("rate", Values({6})), Chunk("rate", Values({18})),
                             List("fram", {Chunk("icon", IconFile(16, 32, 2, 3, 5)),
                                           Chunk("icon", IconFile(16, 32, 2, 1, 1))})}));
  const TCursor animated = DefineCursor(HInstance, "VT_TEST_ANI_RATES");
  const QPoint first(3, 5), second(1, 1);

  Screen->SetCursor(animated);
  const auto onScreen = [] { return QGuiApplication::overrideCursor()->hotSpot(); };
  EXPECT_EQ(onScreen(), first);
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(WaitUntil([&] { return onScreen() == second; }));
  EXPECT_GE(clock.elapsed(), 90);
  clock.restart();
  ASSERT_TRUE(WaitUntil([&] { return onScreen() == first; }));
  EXPECT_GE(clock.elapsed(), 280);
  Screen->SetCursor(crDefault);

  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetCursor(animated);
  const auto overPanel = [&] { return panel->Widget()->cursor().hotSpot(); };
  EXPECT_EQ(overPanel(), first);
  ASSERT_TRUE(WaitUntil([&] { return overPanel() == second; }));
  panel->SetCursor(crDefault);
  EXPECT_EQ(panel->Widget()->cursor().shape(), Qt::ArrowCursor);
}

namespace {

// A bitmap of w x h in one colour.
TBitmap* Plain(int w, int h, TColor color)
{
  auto* b = new TBitmap;
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

// 4 x 2: red on the left half, fuchsia on the right.
TBitmap* RedAndFuchsia()
{
  TBitmap* b = Plain(4, 2, clFuchsia);
  b->Canvas()->Brush()->SetColor(clRed);
  b->Canvas()->FillRect(Rect(0, 0, 2, 2));
  return b;
}

} // namespace

TEST(vtGuiutils, TransparentDrawingLeavesTheKeyColourOut)
{
  vt::EnsureTestApplication();
  TBitmap* source = RedAndFuchsia();
  const struct {
    TColor key;
    TColor left, right; // what (0, 0) and (7, 3) of the stretched copy show
  } cases[] = {{clFuchsia, clRed, clWhite}, {clNone, clRed, clFuchsia}, {clDefault, clWhite, clFuchsia}};
  for (const auto& c : cases) {
    TBitmap* target = Plain(10, 10, clWhite);
    StretchBitmapRectTransparent(target->Canvas(), 0, 0, 8, 4, Rect(0, 0, 0, 0), source, c.key);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), c.left) << c.key;
    EXPECT_EQ(target->Canvas()->Pixels(3, 3), c.left) << c.key;
    EXPECT_EQ(target->Canvas()->Pixels(7, 3), c.right) << c.key;
    EXPECT_EQ(target->Canvas()->Pixels(8, 4), clWhite) << c.key;
    delete target;
  }
  TBitmap* target = Plain(10, 10, clWhite);
  DrawBitmapTransparent(target->Canvas(), 2, 2, source, clFuchsia);
  DrawBitmapRectTransparent(target->Canvas(), 6, 6, Rect(1, 0, 3, 2), source, clFuchsia);
  const struct {
    int x, y;
    TColor color;
  } pixels[] = {{2, 2, clRed}, {3, 3, clRed}, {4, 2, clWhite}, {6, 6, clRed}, {7, 7, clWhite}, {1, 1, clWhite}};
  for (const auto& p : pixels)
    EXPECT_EQ(target->Canvas()->Pixels(p.x, p.y), p.color) << p.x << "," << p.y;
  delete target;
  delete source;
}

TEST(vtGuiutils, ColourChangeHatchAndCellBitmapByPixel)
{
  vt::EnsureTestApplication();
  TBitmap* source = RedAndFuchsia();
  TBitmap* changed = ChangeBitmapColor(source, clRed, clBlue);
  EXPECT_EQ(changed->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(changed->Canvas()->Pixels(3, 1), clFuchsia);
  delete changed;

  TBitmap* shaded = Plain(8, 8, clWhite);
  ShadeRect(shaded->Canvas(), Rect(0, 0, 8, 8));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(shaded->Canvas()->Pixels(x, y), (x + y) % 4 == 3 ? clBlack : clWhite) << x << "," << y;
  delete shaded;

  TBitmap* cell = Plain(10, 10, clWhite);
  TBitmap* dot = Plain(2, 2, clRed);
  DrawCellBitmap(cell->Canvas(), 0, 0, dot, Rect(0, 0, 10, 10));
  EXPECT_EQ(cell->Canvas()->Pixels(4, 4), clRed);
  EXPECT_EQ(cell->Canvas()->Pixels(5, 5), clRed);
  EXPECT_EQ(cell->Canvas()->Pixels(3, 3), clWhite);
  EXPECT_EQ(cell->Canvas()->Pixels(6, 6), clWhite);
  delete dot;
  delete cell;
  delete source;
}

TEST(vtGuiutils, ADisabledListImageIsGreyWhereTheImageIs)
{
  vt::EnsureTestApplication();
  TImageList images(nullptr);
  images.SetWidth(4);
  images.SetHeight(2);
  TBitmap* source = RedAndFuchsia();
  images.AddMasked(source, clFuchsia);
  TBitmap* target = Plain(6, 4, clWhite);
  ImageListDrawDisabled(&images, target->Canvas(), 1, 1, 0, clBtnHighlight, clGray, false);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), clGray);
  EXPECT_EQ(target->Canvas()->Pixels(2, 2), clGray);
  EXPECT_EQ(target->Canvas()->Pixels(3, 1), clWhite); // the masked part stays untouched
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);
  delete target;
  delete source;
}

TEST(vtGuiutils, ARotatedFontWritesUpwards)
{
  vt::EnsureTestApplication();
  TFont font;
  font.SetName("Default");
  font.SetStyle(TFontStyles{fsBold});
  TFont* rotated = CreateRotatedFont(&font, 90);
  EXPECT_EQ(rotated->Orientation(), 900);
  EXPECT_NE(rotated->Name(), "Default");
  EXPECT_TRUE(rotated->Style().Contains(fsBold));
  TBitmap* target = Plain(80, 80, clWhite);
  target->Canvas()->SetFont(rotated);
  target->Canvas()->Brush()->SetStyle(bsClear);
  target->Canvas()->TextOut(20, 70, "WWWWW");
  int left = 80, right = -1, top = 80, bottom = -1;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x)
      if (target->Canvas()->Pixels(x, y) != clWhite) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, 0);
  EXPECT_GT(bottom - top, 2 * (right - left)); // a tall, narrow run of letters
  EXPECT_LE(bottom, 70);                        // above the starting point
  delete target;
  delete rotated;
}

TEST(vtGuiutils, IconsToAndFromBitmapsKeepTheTransparentPart)
{
  vt::EnsureTestApplication();
  TBitmap* source = RedAndFuchsia();
  TIcon* icon = CreateIconFromBitmap(source, clFuchsia);
  TBitmap* back = CreateBitmapFromIcon(icon, clLime);
  EXPECT_EQ(back->Width(), 4);
  EXPECT_EQ(back->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(back->Canvas()->Pixels(3, 1), clLime);
  EXPECT_EQ(back->TransparentColor() & 0xFFFFFF, clLime);
  delete back;
  delete icon;
  delete source;

  EXPECT_EQ(MakeIcon("NO_SUCH_ICON"), nullptr);
  try {
    delete MakeBitmapID(65000);
    ADD_FAILURE() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource 65000 not found");
  }
  TBitmap* glyph = MakeModuleBitmap(HInstance, "CEDITBMP");
  EXPECT_FALSE(glyph->Empty());
  delete glyph;
  const std::vector<TColor> palette{clRed, clBlue};
  EXPECT_EQ(PaletteEntries(&palette), 2);
  EXPECT_EQ(PaletteEntries(nullptr), 0);
}

TEST(vtGuiutils, WindowsAreCentredMergedAndActivated)
{
  vt::EnsureTestApplication();
  TRect area;
  ScreenWorkArea(area);
  EXPECT_GT(WidthOf(area), 0);
  EXPECT_LE(area.Right, Screen->Width());

  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  CenterWindow(form.Widget());
  TRect placed;
  GetWindowRect(form.Widget(), placed);
  EXPECT_EQ(placed.Left, (Screen->Width() - WidthOf(placed)) / 2);
  EXPECT_EQ(placed.Top, (Screen->Height() - HeightOf(placed)) / 2);

  ShowWindow(form.Widget(), SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(form.Widget()));
  ActivateWindow(form.Widget());
  EXPECT_FALSE(IsIconic(form.Widget()));
  ShowWindow(form.Widget(), SW_SHOWMINIMIZED);
  form.SetEnabled(false);
  SwitchToWindow(form.Widget(), true); // a disabled window is left alone
  EXPECT_TRUE(IsIconic(form.Widget()));
  form.SetEnabled(true);
  SwitchToWindow(form.Widget(), true);
  EXPECT_FALSE(IsIconic(form.Widget()));

  auto* host = new TPanel(&form);
  host->SetParent(&form);
  host->SetBounds(10, 10, 150, 80);
  auto* inner = new TForm(&form);
  inner->SetBounds(40, 40, 60, 30);
  MergeForm(host, inner, alNone, true);
  EXPECT_EQ(inner->Parent(), host);
  TRect merged; // on the screen inside the host, not a window of its own
  GetWindowRect(inner->Widget(), merged);
  EXPECT_EQ(merged.Left, host->ClientToScreen(Point(0, 0)).X);
  EXPECT_EQ(merged.Top, host->ClientToScreen(Point(0, 0)).Y);
  EXPECT_EQ(inner->BorderStyle(), bsNone);
  EXPECT_EQ(inner->Left(), 0);
  EXPECT_EQ(inner->Top(), 0);
  EXPECT_TRUE(inner->Visible());
}

TEST(vtGuiutils, MemoryStringAndVariantHelpers)
{
  const String text = "camp";
  char* copy = StrPAlloc(text);
  EXPECT_STREQ(copy, "camp");
  EXPECT_NE(copy, StringToPChar(text));
  EXPECT_EQ(StringToPChar(text), text.c_str());
  delete[] copy;

  std::uint32_t words[4] = {1, 2, 3, 4};
  HugeMove(words, 0, 2, 2);
  EXPECT_EQ(words[0], 3u);
  EXPECT_EQ(words[1], 4u);
  EXPECT_EQ(HugeInc(words, 8), static_cast<void*>(&words[2]));
  EXPECT_EQ(HugeDec(&words[2], 8), static_cast<void*>(words));
  char out[5] = {};
  HMemCpy(out, "abcd", 4);
  EXPECT_STREQ(out, "abcd");

  EXPECT_TRUE(MakeVariant({}).IsEmpty());
  EXPECT_EQ(MakeVariant({Variant(7)}).AsInteger(), 7);
  const Variant two = MakeVariant({Variant(1), Variant(2)});
  ASSERT_TRUE(VarIsArray(two));
  EXPECT_EQ(VarArrayHighBound(two, 1), 1);
  const Variant all = MakeVariant({Variant(1), Variant(2), Variant(3)});
  ASSERT_TRUE(VarIsArray(all));
  EXPECT_EQ(VarArrayHighBound(all, 1), 2);
}

TEST(vtGuiutils, LoadDLLOpensALibraryOrRaisesTheSystemError)
{
  HMODULE libc = LoadDLL("libc.so.6");
  EXPECT_NE(libc, nullptr);
  EXPECT_TRUE(FreeLibrary(libc));
  try {
    LoadDLL("libvt-no-such-library.so");
    ADD_FAILURE() << "no error";
  } catch (const EOSError& e) {
    EXPECT_NE(e.Message().find("libvt-no-such-library.so"), String::npos) << e.Message();
    EXPECT_EQ(e.Message().rfind("System Error.  Code: ", 0), 0u) << e.Message();
  }
}

namespace {

// The peer program (a second running copy) with its output read line by line.
class Peer {
public:
  Peer()
  {
    int out[2];
    if (pipe(out) != 0)
      throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(VT_PREV_INSTANCE_PEER), nullptr};
    posix_spawn(&pid_, VT_PREV_INSTANCE_PEER, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    output_ = out[0];
  }
  ~Peer()
  {
    close(output_);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  // The next line the peer writes, or "" after 10 seconds.
  String NextLine()
  {
    String line;
    char c;
    pollfd fd{output_, POLLIN, 0};
    while (poll(&fd, 1, 10000) > 0 && read(output_, &c, 1) == 1 && c != '\n')
      line += c;
    return line;
  }

private:
  pid_t pid_ = 0;
  int output_ = -1;
};

} // namespace

TEST(vtGuiutils, AnotherRunningCopyIsFoundAndBroughtForward)
{
  const String folder = VT_BINARY_DIR "/tests/peer-runtime";
  ASSERT_TRUE(ForceDirectories(folder));
  setenv("XDG_RUNTIME_DIR", folder.c_str(), 1); // the peer and we meet there, away from other programs
  vt::EnsureTestApplication();
  EXPECT_FALSE(ActivatePrevInstance("TPeerMainForm", "Peer camp")); // none running yet

  Peer peer;
  ASSERT_EQ(peer.NextLine(), "minimised");
  const struct {
    const char* className;
    const char* title;
    bool found;
  } searches[] = {{"TPeerMainForm", "", true},     {"", "peer CAMP", true}, {"TPeerMainForm", "Peer camp", true},
                  {"TPeerMainForm", "Other", false}, {"TOtherForm", "", false}, {"", "", false}};
  for (const auto& s : searches)
    EXPECT_EQ(static_cast<bool>(FindPrevInstance(s.className, s.title)), s.found) << s.className << "/" << s.title;

  EXPECT_TRUE(ActivatePrevInstance("TPeerMainForm", ""));
  EXPECT_EQ(peer.NextLine(), "restored");
}

namespace {
class MessageLog : public TForm {
public:
  MessageLog() : TForm(nullptr) {}
  void WndProc(TMessage& Message) override
  {
    if (Message.Msg >= WM_USER)
      Received.push_back({Message.Msg, Message.WParam});
    TForm::WndProc(Message);
  }
  std::vector<std::pair<UINT, WPARAM>> Received;
};
}  // namespace

TEST(vtGuiutils, KillMessageTakesBackOnePendingMessageOfThatWindow)
{
  vt::EnsureTestApplication();
  MessageLog form;
  MessageLog other;
  PostMessage(form.Widget(), WM_USER + 1, 1, 0);
  PostMessage(form.Widget(), WM_USER + 2, 2, 0);
  PostMessage(other.Widget(), WM_USER + 1, 3, 0);
  PostMessage(form.Widget(), WM_USER + 1, 4, 0);
  KillMessage(form.Widget(), WM_USER + 1);
  KillMessage(form.Widget(), WM_USER + 3); // none waiting
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(form.Received, (std::vector<std::pair<UINT, WPARAM>>{{WM_USER + 2, 2}, {WM_USER + 1, 4}}));
  EXPECT_EQ(other.Received, (std::vector<std::pair<UINT, WPARAM>>{{WM_USER + 1, 3}}));
}

TEST(vtGuiutils, WindowClassNameAndPaletteColour)
{
  vt::EnsureTestApplication();
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  EXPECT_EQ(WindowClassName(panel->Widget()), "TPanel");
  EXPECT_EQ(WindowClassName(nullptr), "");
  EXPECT_EQ(PaletteColor(clRed), 0x020000FF);
  EXPECT_EQ(PaletteColor(clBtnFace), static_cast<int>(ColorToRGB(clBtnFace) | 0x02000000));
  EXPECT_NE(ColorToRGB(clBtnFace), clBtnFace & 0xFFFFFF);
}
