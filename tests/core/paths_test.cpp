#include "core/paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

namespace {

// A file system that holds exactly the listed folders.
PathContext Folders(std::initializer_list<const char*> dirs, const char* cwd = "/work") {
  QSet<QString> set;
  for (const char* d : dirs) set.insert(QString::fromUtf8(d));
  return {[set](const QString& dir) {
            QString d = dir;
            while (d.endsWith(u'/')) d.chop(1);
            return set.contains(d);
          },
          QString::fromUtf8(cwd)};
}

}  // namespace

TEST(ResolvePath, ImageFolderIsUsedOnlyWhenItExists) {
  EXPECT_EQ(ResolvePath("C:\\Albums\\main.xml", "photos", "a.jpg", Folders({"C:/Albums/photos"})),
            "C:/Albums/photos/a.jpg");
  EXPECT_EQ(ResolvePath("C:\\Albums\\main.xml", "photos", "a.jpg", Folders({})), "C:/Albums/a.jpg");
  EXPECT_EQ(ResolvePath("/home/eva/Albums/main.xml", "photos", "a.jpg",
                        Folders({"/home/eva/Albums/photos"})),
            "/home/eva/Albums/photos/a.jpg");
  EXPECT_EQ(ResolvePath("/home/eva/Albums/main.xml", "photos\\", "a.jpg", Folders({})),
            "/home/eva/Albums/a.jpg");
}

TEST(ResolvePath, AbsoluteFolderOrNameWinsWhateverTheBase) {
  const PathContext none = Folders({});
  EXPECT_EQ(ResolvePath("C:\\Albums\\main.xml", "D:/pics", "x/y.jpg", none), "D:/pics/x/y.jpg");
  EXPECT_EQ(ResolvePath("", "D:/pics/", "x\\y.jpg", none), "D:/pics/x/y.jpg");
  EXPECT_EQ(ResolvePath("C:\\Albums\\main.xml", "photos", "E:\\z.jpg", none), "E:/z.jpg");
  EXPECT_EQ(ResolvePath("/a/main.xml", "/srv/pics", "x\\y.jpg", none), "/srv/pics/x/y.jpg");
  EXPECT_EQ(ResolvePath("/a/main.xml", "photos", "/srv/z.jpg", none), "/srv/z.jpg");
}

TEST(ResolvePath, RelativeNamesAreExpandedAgainstBaseThenCurrentFolder) {
  const PathContext ctx = Folders({}, "/home/eva");
  EXPECT_EQ(ResolvePath("/a/b/main.xml", "", "..\\c\\.\\d.jpg", ctx), "/a/c/d.jpg");
  EXPECT_EQ(ResolvePath("", "", "album.XML", ctx), "/home/eva/album.XML");
  EXPECT_EQ(ResolvePath("main.xml", "", "sub/ch1.xml", ctx), "/home/eva/sub/ch1.xml");
  EXPECT_EQ(ResolvePath("/a/main.xml", "", "../../../x.jpg", ctx), "/x.jpg");
  EXPECT_EQ(ResolvePath("C:\\main.xml", "", "..\\x.jpg", ctx), "C:/x.jpg");
  // A folder alone keeps its trailing separator.
  EXPECT_EQ(ResolvePath("/a/b/", "", "", ctx), "/a/b/");
}

TEST(MakeRelativePath, FileBelowTheImageFolder) {
  const PathContext ctx = Folders({"C:/Albums/photos"});
  EXPECT_EQ(MakeRelativePath("C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "photos",
                             "C:\\Albums\\photos\\2003\\a.jpg", ctx),
            "2003/a.jpg");
  // Folders compare without regard to case on drive paths.
  EXPECT_EQ(MakeRelativePath("C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "photos",
                             "c:\\ALBUMS\\Photos\\a.jpg", ctx),
            "a.jpg");
  const PathContext posix = Folders({"/home/eva/Albums/photos"});
  EXPECT_EQ(MakeRelativePath("/home/eva/Albums/main.xml", "/home/eva/Albums/main.xml", "photos",
                             "/home/eva/Albums/photos/2003/a.jpg", posix),
            "2003/a.jpg");
  // ... and exactly on POSIX paths.
  EXPECT_EQ(MakeRelativePath("/home/eva/Albums/main.xml", "/home/eva/Albums/main.xml", "",
                             "/home/eva/albums/a.jpg", posix),
            "../albums/a.jpg");
}

TEST(MakeRelativePath, ClimbsOutOfTheFolderWithDotDot) {
  const PathContext ctx = Folders({});
  EXPECT_EQ(MakeRelativePath("C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "",
                             "C:\\Pictures\\2003\\a.jpg", ctx),
            "../Pictures/2003/a.jpg");
  EXPECT_EQ(MakeRelativePath("/home/eva/Albums/trip/main.xml", "/home/eva/Albums/trip/main.xml", "",
                             "/home/eva/Pictures/a.jpg", ctx),
            "../../Pictures/a.jpg");
}

TEST(MakeRelativePath, ChapterFileIsRelativeToTheMainDataFile) {
  const PathContext ctx = Folders({"/al/chapters/pics"});
  // The chapter file is named relative to the main file; its image folder to itself.
  EXPECT_EQ(
      MakeRelativePath("/al/main.xml", "chapters/one.xml", "pics", "/al/chapters/pics/x.jpg", ctx),
      "x.jpg");
  EXPECT_EQ(MakeRelativePath("/al/main.xml", "", "", "/al/chapters/one.xml", ctx),
            "chapters/one.xml");
  // An empty file name gives the folder itself.
  EXPECT_EQ(MakeRelativePath("/al/main.xml", "chapters\\one.xml", "pics", "", ctx),
            "/al/chapters/pics/");
}

TEST(MakeRelativePath, AnotherRootStaysAbsolute) {
  const PathContext ctx = Folders({});
  EXPECT_EQ(MakeRelativePath("C:\\Albums\\main.xml", "C:\\Albums\\main.xml", "", "E:\\z.jpg", ctx),
            "E:/z.jpg");
  EXPECT_EQ(MakeRelativePath("/home/a/main.xml", "/home/a/main.xml", "", "D:\\x.jpg", ctx),
            "D:/x.jpg");
  EXPECT_EQ(MakeRelativePath("C:\\a\\main.xml", "C:\\a\\main.xml", "", "/srv/x.jpg", ctx),
            "/srv/x.jpg");
  // An absolute image folder on another drive than the file.
  EXPECT_EQ(
      MakeRelativePath("C:\\a\\main.xml", "C:\\a\\main.xml", "D:\\pics", "D:\\pics\\y.jpg", ctx),
      "y.jpg");
}

TEST(Paths, ResolveThenRelativeRoundTrips) {
  const PathContext ctx = Folders({"/al/photos"});
  for (const char* name : {"a.jpg", "2003/b.jpg", "../other/c.jpg"}) {
    const QString full = ResolvePath("/al/main.xml", "photos", name, ctx);
    EXPECT_EQ(MakeRelativePath("/al/main.xml", "/al/main.xml", "photos", full, ctx), name);
  }
}

TEST(Paths, FileExtUpperAndVideo) {
  EXPECT_EQ(FileExtUpper("clip.mpeg"), ".MPEG");
  EXPECT_EQ(FileExtUpper("C:\\my.dir\\file"), "");
  EXPECT_EQ(FileExtUpper("/home/my.dir/file"), "");
  EXPECT_EQ(FileExtUpper("D:x.jpg"), ".JPG");
  EXPECT_EQ(FileExtUpper("/a/photo.JPEG"), ".JPEG");
  EXPECT_EQ(FileExtUpper("/a/archive.tar.gz"), ".GZ");
  EXPECT_TRUE(IsVideoFile("a.Avi"));
  EXPECT_TRUE(IsVideoFile("/v/b.mpg"));
  EXPECT_TRUE(IsVideoFile("C:\\v\\c.MPEG"));
  EXPECT_FALSE(IsVideoFile("/v/d.mp4"));
  EXPECT_FALSE(IsVideoFile("/v.avi/file"));
}

TEST(Paths, AbsoluteAndFolderParts) {
  EXPECT_TRUE(IsAbsolutePath("C:x"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_TRUE(IsAbsolutePath("/home"));
  EXPECT_FALSE(IsAbsolutePath("photos\\a.jpg"));
  EXPECT_EQ(FolderPart("C:\\Albums\\main.xml"), "C:\\Albums\\");
  EXPECT_EQ(FolderPart("C:main.xml"), "C:");
  EXPECT_EQ(FolderPart("/home/u/a:b.jpg"), "/home/u/");
  EXPECT_EQ(FolderPart("main.xml"), "");
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
