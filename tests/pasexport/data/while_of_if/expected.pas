begin
  while x < 10 do
  begin
    if odd(x)
    then
    begin
      y := y + x
    end;
  end;
  writeln(y)
end;
