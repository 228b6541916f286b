@ECHO OFF
C:\TREIBER\X.EXE
ECHO.
ECHO ษอออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออป
ECHO บ Die Eingabeaufforderung wurde gestartet mit folgenden Komponenten:          บ
ECHO บ                                                                             บ
ECHO บ Speicher, Treiber, Letzte                                                   บ
ECHO บ                                                                             บ
ECHO บ                Um die alten Startdateien wiederherzustellen                 บ
ECHO บ                und neu zu starten, tippen Sie bitte EXIT ein.               บ
ECHO ศอออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออออผ
C:\windows\COMMAND.COM
C:\windows\WIN.COM /WX
