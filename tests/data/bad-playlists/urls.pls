[playlist]
File1=http://example.com/a.mp3
File2=https://example.com/music/b.mp3
File3=C:\x\http://example.com/a.mp3
