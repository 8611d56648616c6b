#pragma once
// The headless render command: draws the book of an album into PNG files
// with the same code that draws the window.

#include <QImage>
#include <QStringList>
#include <QTextStream>

#include "app/command_line.h"
#include "app/headless_window.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "init/profile.h"
#include "init/program_settings.h"
#include "xml/xml_data.h"

// An album opened as the program does at start-up, in a stand-in window of
// the given size (invalid: the look's), for the commands that draw without a
// window. It owns its look, settings and messages: on construction the
// person's settings are read, their language installed and start-up's look
// loaded.
class HeadlessAlbum {
 public:
  explicit HeadlessAlbum(QSize size);
  // false with a message in *error when there is nothing to draw; messages
  // the opening showed are kept in Ask.Messages.
  bool Open(const QString& file, QString* error);

  OpenAlbum Album;
  AlbumLook Look;
  ProgramSettings Settings;
  LanguageMessages Messages;
  xml::XmlData Document;
  SizedBookWindow Window;
  HeadlessPrompts Ask;
  BookView Book;
};

// Renders the closed cover and every spread of every chapter (chapter -2), or
// the one spread asked for, into outDir. The files are named so that they
// sort in book order. Returns the files written; an error text in *error
// when a file cannot be written or the spread does not exist.
QStringList RenderBookPictures(BookView& book, const QString& outDir, int chapter, int spread,
                               QString* error);

// The window's picture of the current spread: the whole window when the book
// is open, the cover alone while it is closed.
QImage SpreadPicture(const BookView& book);

// Runs `quirevale --render ...`: opens the file as the program does, renders,
// prints one line per file on out; returns the exit status (non-zero with a
// message on err when the file cannot be opened or a picture not written).
int RunRenderCommand(const CommandLine& command, QTextStream& out, QTextStream& err);
