@ECHO OFF
LH C:\WINDOWS\COMMAND\MSCDEX.EXE /D:MSCD001
C:\WINDOWS\SMARTDRV.EXE 2048
SET BLASTER=A220 I5 D1 H5 P330 T6
C:\NET\NET START
ECHO Grü฿e
ECHO.
ECHO ษอออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออป
ECHO บ Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:          บ
ECHO บ                                                                             บ
ECHO บ CD-ROM, Smartdrive, Spiele (Sound Blaster),                                 บ
ECHO บ Netzwerk mit Client fr DOS, Gr”แe ndern                                   บ
ECHO บ                                                                             บ
ECHO บ                Um die alten Startdateien wiederherzustellen                 บ
ECHO บ                und neu zu starten, tippen Sie bitte EXIT ein.               บ
ECHO ศอออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออผ
C:\windows\COMMAND.COM
C:\windows\WIN.COM /WX
