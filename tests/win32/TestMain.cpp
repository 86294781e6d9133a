// The Win32 tests run on one thread that is a user-interface thread like the program's.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/CommonControls.h"
#include "win32/Handles.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ComApartment com(COINIT_APARTMENTTHREADED);
  return RUN_ALL_TESTS();
}
