@echo off
rem Starts crout.exe in this window and keeps the window open when it ends, with its exit
rem status shown: double-click this file to start crout. The report, resul3.doc, goes to the
rem current folder: after a double-click, the folder that holds this file.
setlocal
"%~dp0crout.exe"
set status=%ERRORLEVEL%
echo.
echo crout ended with exit status %status% (0 is the normal end; README.txt tells the others).
pause
exit /b %status%
