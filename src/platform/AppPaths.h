#pragma once

#include <QString>

// Where Vantorel keeps its files. Every path of the program is derived here, so one place
// decides the layout on this platform.
namespace vantorel::paths {

// The folder of the running executable, without a trailing separator.
QString appFolder();
// AppFolder + "/data/conv.exe".
QString encoderPath();
// AppFolder + "/sound.wav".
QString soundPath();
// The per-user work folder: /tmp/vantorel-<uid>.
QString workFolder();
// <work folder>/tmp.wav, the pre-decoded WAV of a FLAC source.
QString tempWavPath();
// <work folder>/tmpfile1.mp3, removed at shutdown.
QString tempMp3Path();
// The user's home folder + "/output".
QString defaultOutputFolder();
// The program folder when it is writable, else ~/.config/vantorel.
QString settingsFolder();
QString setupIniPath();
QString optionsIniPath();

// Tests point the program at folders of their own. An empty text restores the default.
void setAppFolderForTesting(const QString& folder);
void setWorkFolderForTesting(const QString& folder);
void setSettingsFolderForTesting(const QString& folder);
void setHomeFolderForTesting(const QString& folder);

} // namespace vantorel::paths
