// Build-time tool, run on the build machine: writes the twelve ruler bitmaps
// and a resource script that names them, into the folder given.
//   RulerGen <output folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "capture/MonoImage.h"
#include "capture/Ruler.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// Resource compilers read backslashes in quoted names as escapes.
std::string ForResourceScript(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::string script = "// Ruler bitmaps of the Graphics page, generated at build time.\n";
  for (int zoom = 1; zoom <= 6; ++zoom) {
    for (bool horizontal : {true, false}) {
      const std::string name = RulerResourceName(horizontal, zoom);
      const std::string file = folder + "/" + name + ".bmp";
      MonoImage image = horizontal ? HorizontalRuler(zoom) : VerticalRuler(zoom);
      if (!WriteFile(file, EncodeMonoBmp(image))) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return 1;
      }
      script += name + " BITMAP \"" + ForResourceScript(file) + "\"\n";
    }
  }
  if (!WriteFile(folder + "/Rulers.rc", script)) {
    std::fprintf(stderr, "cannot write %s/Rulers.rc\n", folder.c_str());
    return 1;
  }
  return 0;
}
