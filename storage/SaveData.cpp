// SaveData: the whole of Data.ini composed in the output buffer, then written over the old file
// in one atomic replace.
#include <string_view>

#include "storage/AtomicReplace.h"
#include "storage/DataFile.h"
#include "storage/ValueWriter.h"

namespace {

// Sets CheckEnabled again however the save ends, so a failed save never leaves the checker
// paused.
class CheckerPause {
 public:
  explicit CheckerPause(Store& store) : store_(store) { store_.CheckEnabled = 0; }
  ~CheckerPause() { store_.CheckEnabled = 1; }
  CheckerPause(const CheckerPause&) = delete;
  CheckerPause& operator=(const CheckerPause&) = delete;

 private:
  Store& store_;
};

// The main window's geometry and column widths, as the user-interface thread last saw them.
void TakeWindowState(Store& store) {
  const WindowState& window = store.Window;
  if (!window.known) return;
  TSreda& session = store.Session;
  if (window.maximised) {
    // The stored geometry stays the last normal one.
    session.WinMax = 1;
  } else {
    session.WinMax = 0;
    session.WinX = window.x;
    session.WinY = window.y;
    session.WinW = window.width;
    session.WinH = window.height;
  }
  session.Ln0 = window.columnWidths[0];
  session.Ln1 = window.columnWidths[1];
  session.Ln2 = window.columnWidths[2];
  session.Ln3 = window.columnWidths[3];
  session.Ln4 = window.columnWidths[4];
}

// An upper bound of the file's size, so the buffer is grown at most once per save.
size_t ComposedSizeBound(const Store& store) {
  constexpr size_t kSettingsBound = 512;
  constexpr size_t kTaskBound = 512;  // header and the eighteen number lines, with room to spare
  size_t bound = kSettingsBound + TextLineBound("LastOD", store.Session.LastOD.size());
  for (const Ttask& task : store.Tasks)
    bound += kTaskBound + TextLineBound("Tex", task.Text.size()) +
             TextLineBound("FN", task.FileName.size());
  return bound;
}

void ComposeSettings(std::string& out, const TSreda& session) {
  AppendSectionLine(out, "SETTINGS");
  AppendIntLine(out, "WinX", session.WinX);
  AppendIntLine(out, "WinY", session.WinY);
  AppendIntLine(out, "WinW", session.WinW);
  AppendIntLine(out, "WinH", session.WinH);
  AppendFlagLine(out, "WinS", session.WinS);
  AppendFlagLine(out, "Tray", session.Tray);
  AppendFlagLine(out, "WinMax", session.WinMax);
  AppendFlagLine(out, "SMin", session.SMin);
  AppendIntLine(out, "Ln0", session.Ln0);
  AppendIntLine(out, "Ln1", session.Ln1);
  AppendIntLine(out, "Ln2", session.Ln2);
  AppendIntLine(out, "Ln3", session.Ln3);
  AppendIntLine(out, "Ln4", session.Ln4);
  AppendIntLine(out, "TasksN", session.TasksN);
  AppendTextLine(out, "LastOD", session.LastOD);
}

void ComposeTask(std::string& out, const Ttask& task, int32_t n) {
  AppendSectionLine(out, "TASK", n);
  AppendIntLine(out, "Mod", task.Mode);
  AppendIntLine(out, "Ssec", task.Ssec);
  AppendIntLine(out, "Year", task.Year);
  AppendIntLine(out, "Mon", task.Month);
  AppendIntLine(out, "Day", task.Day);
  AppendMessageLine(out, "Tex", task.Text);
  AppendFlagLine(out, "Del", task.DeleteAfter);
  AppendFlagLine(out, "NM", task.ShowMessage);
  AppendFlagLine(out, "Ex", task.RunFile);
  AppendFlagLine(out, "OFF", task.ShutDown);
  AppendFlagLine(out, "Snd", task.Sound);
  AppendIntLine(out, "Stat", task.Status);
  AppendTextLine(out, "FN", task.FileName);
  AppendIntLine(out, "PrevY", task.PrevY);
  AppendIntLine(out, "PrevM", task.PrevM);
  AppendIntLine(out, "PrevD", task.PrevD);
  AppendIntLine(out, "PrevH", task.PrevH);
  AppendIntLine(out, "PrevMin", task.PrevMin);
  AppendIntLine(out, "PrevS", task.PrevS);
  AppendIntLine(out, "PrevMS", task.PrevMS);
}

}  // namespace

void AppendToBuffer(std::string& buffer, std::string_view piece) { buffer.append(piece); }

std::optional<std::string> SaveData(Store& store, Platform& platform) {
  const CheckerPause pause(store);
  TakeWindowState(store);
  store.Session.TasksN = static_cast<int32_t>(store.Tasks.size());

  std::string& out = store.OutBuffer;
  out.clear();
  out.reserve(ComposedSizeBound(store));  // capacity is kept from save to save
  ComposeSettings(out, store.Session);
  for (size_t n = 0; n < store.Tasks.size(); ++n)
    ComposeTask(out, store.Tasks[n], static_cast<int32_t>(n));

  return ReplaceFileAtomically(platform.Files(), store.DataPath, out);
}
