[playlist]
File1=NUL.mp3
File2=CON.mp3
File3=C:\AUX.mp3
File4={MUSIC}\a.mp3
