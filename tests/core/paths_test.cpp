#include "core/paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// A file system that holds exactly the given folder (none when empty).
PathContext Folders(const char* dir, const char* cwd = "/home/eva") {
  return {[d = QString::fromUtf8(dir)](const QString& path) {
            QString p = path;
            while (p.endsWith(u'/')) p.chop(1);
            return !d.isEmpty() && p == d;
          },
          QString::fromUtf8(cwd)};
}

}  // namespace

TEST(ResolvePath, FolderThenNameAgainstBaseThenCurrentFolder) {
  struct Case {
    const char *base, *folder, *name, *existing, *full;
  };
  const Case cases[] = {
      // The image folder counts only when it exists.
      {"C:\\Albums\\main.xml", "photos", "a.jpg", "C:/Albums/photos", "C:/Albums/photos/a.jpg"},
      {"C:\\Albums\\main.xml", "photos", "a.jpg", "", "C:/Albums/a.jpg"},
      {"/home/eva/Albums/main.xml", "photos", "a.jpg", "/home/eva/Albums/photos",
       "/home/eva/Albums/photos/a.jpg"},
      {"/home/eva/Albums/main.xml", "photos\\", "a.jpg", "", "/home/eva/Albums/a.jpg"},
      // An absolute folder or name wins whatever the base.
      {"C:\\Albums\\main.xml", "D:/pics", "x/y.jpg", "", "D:/pics/x/y.jpg"},
      {"", "D:/pics/", "x\\y.jpg", "", "D:/pics/x/y.jpg"},
      {"C:\\Albums\\main.xml", "photos", "E:\\z.jpg", "", "E:/z.jpg"},
      {"/a/main.xml", "/srv/pics", "x\\y.jpg", "", "/srv/pics/x/y.jpg"},
      {"/a/main.xml", "photos", "/srv/z.jpg", "", "/srv/z.jpg"},
      // Relative names are expanded; ".." stops at the root.
      {"/a/b/main.xml", "", "..\\c\\.\\d.jpg", "", "/a/c/d.jpg"},
      {"", "", "album.XML", "", "/home/eva/album.XML"},
      {"main.xml", "", "sub/ch1.xml", "", "/home/eva/sub/ch1.xml"},
      {"/a/main.xml", "", "../../../x.jpg", "", "/x.jpg"},
      {"C:\\main.xml", "", "..\\x.jpg", "", "C:/x.jpg"},
      {"/a/b/", "", "", "", "/a/b/"},  // a folder alone keeps its separator
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolvePath(c.base, c.folder, c.name, Folders(c.existing)), c.full)
        << c.base << " + " << c.folder << " + " << c.name;
  }
}

TEST(MakeRelativePath, BelowTheFolderUpWithDotDotOrAbsoluteOnAnotherRoot) {
  struct Case {
    const char *main, *data, *folder, *file, *existing, *relative;
  };
  const Case cases[] = {
      {"C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "photos", "C:\\Albums\\photos\\2003\\a.jpg",
       "C:/Albums/photos", "2003/a.jpg"},
      // Drive paths compare without regard to case, POSIX paths exactly.
      {"C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "photos", "c:\\ALBUMS\\Photos\\a.jpg",
       "C:/Albums/photos", "a.jpg"},
      {"/home/eva/Albums/main.xml", "/home/eva/Albums/main.xml", "", "/home/eva/albums/a.jpg", "",
       "../albums/a.jpg"},
      {"C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "", "C:\\Pictures\\2003\\a.jpg", "",
       "../Pictures/2003/a.jpg"},
      {"/home/eva/Albums/trip/main.xml", "/home/eva/Albums/trip/main.xml", "",
       "/home/eva/Pictures/a.jpg", "", "../../Pictures/a.jpg"},
      // A chapter file is named relative to the main file, its images to itself.
      {"/al/main.xml", "chapters/one.xml", "pics", "/al/chapters/pics/x.jpg", "/al/chapters/pics",
       "x.jpg"},
      {"/al/main.xml", "", "", "/al/chapters/one.xml", "", "chapters/one.xml"},
      {"/al/main.xml", "chapters\\one.xml", "pics", "", "/al/chapters/pics", "/al/chapters/pics/"},
      {"C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "", "E:\\z.jpg", "", "E:/z.jpg"},
      {"/home/a/main.xml", "/home/a/main.xml", "", "D:\\x.jpg", "", "D:/x.jpg"},
      {"C:\\a\\main.xml", "C:\\a\\main.xml", "", "/srv/x.jpg", "", "/srv/x.jpg"},
      {"C:\\a\\main.xml", "C:\\a\\main.xml", "D:\\pics", "D:\\pics\\y.jpg", "", "y.jpg"},
      // A name that would read back as a drive path is kept relative.
      {"/al/main.xml", "/al/main.xml", "", "/al/1:2.jpg", "", "./1:2.jpg"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeRelativePath(c.main, c.data, c.folder, c.file, Folders(c.existing)), c.relative)
        << c.file;
  }
  // Resolving the relative name gives the file back.
  for (const char* name : {"a.jpg", "2003/b.jpg", "../other/c.jpg"}) {
    const QString full = ResolvePath("/al/main.xml", "photos", name, Folders("/al/photos"));
    EXPECT_EQ(
        MakeRelativePath("/al/main.xml", "/al/main.xml", "photos", full, Folders("/al/photos")),
        name);
  }
}

TEST(Paths, PartsExtensionsAndVideos) {
  EXPECT_EQ(FileExtUpper("clip.mpeg"), ".MPEG");
  EXPECT_EQ(FileExtUpper("C:\\my.dir\\file"), "");
  EXPECT_EQ(FileExtUpper("/home/my.dir/file"), "");
  EXPECT_EQ(FileExtUpper("D:x.jpg"), ".JPG");
  EXPECT_EQ(FileExtUpper("/a/archive.tar.gz"), ".GZ");
  EXPECT_TRUE(IsVideoFile("a.Avi") && IsVideoFile("/v/b.mpg") && IsVideoFile("C:\\v\\c.MPEG"));
  EXPECT_FALSE(IsVideoFile("/v/d.mp4") || IsVideoFile("/v.avi/file"));
  EXPECT_TRUE(IsAbsolutePath("C:x") && IsAbsolutePath("\\\\server\\share"));
  EXPECT_FALSE(IsAbsolutePath("photos\\a.jpg"));
  EXPECT_EQ(FolderPart("C:main.xml"), "C:");
  EXPECT_EQ(FolderPart("/home/u/a:b.jpg"), "/home/u/");
  EXPECT_TRUE(SamePath("C:\\A\\b.jpg", "c:/a/B.JPG"));
  EXPECT_FALSE(SamePath("/a/b.jpg", "/a/B.jpg"));
}

TEST(Paths, RealFolderTestResolvesDotDotByName) {
  QTemporaryDir tmp;
  ASSERT_TRUE(QDir(tmp.path()).mkpath("pics"));
  const PathContext real = RealPathContext();
  EXPECT_TRUE(real.dirExists(tmp.path() + "/not-yet/../pics/"));
  EXPECT_FALSE(real.dirExists(tmp.path() + "/pics/../nothing"));
}
