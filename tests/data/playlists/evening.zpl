<?zpl version="2.0"?>
<smil>
  <head>
    <title>Evening</title>
  </head>
  <body>
    <seq>
      <media src="Music\a.mp3" albumTitle="A" trackTitle="a" duration="1000"/>
    </seq>
  </body>
</smil>
