begin
  x := 0;
  repeat
    x := x + 2
  until not(x < 10);
  writeln(x)
end;
